// Turns the pointer record of the viewport into a pick region that the step
// reads: a small box around the cursor, a dragged box, a circle of 32 points
// or a polygon. Opens two button rows of its own: "Next", "Previous", "OK" to
// step through the candidates of an ambiguous click, and "Backup", "Abort",
// "Done" while a polygon is drawn.
#ifndef MODC_PICKMETHOD_H
#define MODC_PICKMETHOD_H

#include <array>
#include <memory>

#include "cow_1DArrayList.h"
#include "g3d_Point.h"
#include "modC_Method.h"
#include "modC_PositionMethodImpl.h"

class modC_MethodFactory;

class modC_PickMethod : public modC_Method {
public:
    // What the current pick asks for.
    enum SelectAction { SELECT = 0, SHIFT_SELECT = 1, CONTROL_SELECT = 2, NEXT = 3, PREVIOUS = 4, ACCEPT = 5 };
    enum PickShape { CURSOR_BOX = 0, RECTANGLE = 1, CIRCLE = 2, POLYGON = 3 };

    // Takes ownership of `impl`; attaches to it only when executed. `factory`
    // makes the button rows and must outlive this method.
    modC_PickMethod(modC_MethodReceiver * receiver, modC_PositionMethodImpl * impl,
                    modC_MethodFactory const * factory);
    ~modC_PickMethod() override;

    void Execute() override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void DirectManipulation(DirectManipReason reason, modC_Method * method) override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

    // The front end found several candidates under a click: open the
    // ambiguity row, replacing one that is open.
    void Disambiguate();
    // Open the polygon row, replacing one that is open.
    void DisplayPolygonPrompt();

    int GetSelectAction() const { return selectAction; }
    int GetPickShape() const { return pickShape; }
    // x and y of the pointer at the last update.
    g3d_Point const & Cursor() const { return cursor; }
    // Corner 0 has the smaller, corner 1 the larger x and y.
    std::array<g3d_Point, 2> const & BoxCorners() const { return boxCorners; }
    // The circle or polygon.
    cow_1DArrayList<g3d_Point, g3d_Point> const & Points() const { return points; }

private:
    void OpenRow(std::unique_ptr<modC_Method> & row, char const * const (&english)[3], char const * title);
    static void CloseRow(std::unique_ptr<modC_Method> & row);
    void UpdateValue();
    void UpdateCycleValue();
    void UpdateRectangle(modC_MouseInfo const & mouse);
    void UpdateCircle(modC_MouseInfo const & mouse);
    void UpdatePolygon(modC_MouseInfo const & mouse);

    std::unique_ptr<modC_PositionMethodImpl> impl;
    std::unique_ptr<modC_Method> cycleChoice;
    std::unique_ptr<modC_Method> polygonChoice;
    modC_MethodFactory const * factory;
    int selectAction = SELECT;
    int pickShape = CURSOR_BOX;
    g3d_Point cursor;
    std::array<g3d_Point, 2> boxCorners;
    cow_1DArrayList<g3d_Point, g3d_Point> points;
    // Set while a report is out after which this method still has work to do:
    // the receiver may delete it during the report.
    bool * destroyedDuringReport = nullptr;
};

#endif

// A dialog box built from the dialog step's tuple, modal over the main
// window:
//   - the error form: its message and OK; closing it acknowledges it too;
//   - a warning form: its question, OK and Cancel; the answer goes back as
//     the tuple's first element, 1 for OK and 0 for Cancel or closing;
//   - a form of (name, value) pairs: one field per pair;
//   - commands and targets: one field per target and per command keyword,
//     the tuple sent back in the shape the step reads;
//   - anything else: the tuple as text.
// OK checks the fields (text a field cannot use gets a message in the status
// line and the dialog stays) and completes; Enter in a field reports a value
// change. Cancel, Esc and closing the dialog by the window manager give the
// dialog up: the mode backs up one step.
#ifndef DESKTOPDIALOG_H
#define DESKTOPDIALOG_H

#include <string>
#include <vector>

#include "DesktopWidget.h"
#include "modC_DialogMethodImpl.h"

// The top-level window of a dialog method.
class DialogSide : public DesktopWidget {
protected:
    explicit DialogSide(DesktopStage & stage) : DesktopWidget(stage) {}
    ~DialogSide() override;

    void Show() override;
    void Hide() override;
    void Remove() override;
    // Makes the dialog's contents, its buttons sending ID_OK and ID_CANCEL.
    virtual void Build(FX::FXDialogBox * box) = 0;
    virtual bool Modal() const = 0;
    // The user pressed OK (true) or gave the dialog up (false).
    virtual void Answer(bool ok) = 0;
    long OnMessage(FX::FXObject * sender, FX::FXSelector selector, void * data) override;
    // Ends the modal loop, if one runs, and hides the box.
    void Close();
    virtual long OnField(FX::FXObject * sender, FX::FXSelector selector) = 0;

    enum { ID_OK = 1, ID_CANCEL, ID_RUN, ID_FIELD = 100 };
    FX::FXDialogBox * box = nullptr;

private:
    bool running = false;  // the modal loop runs
};

class DesktopDialog : public DesktopImpl<modC_DialogMethodImpl, DialogSide> {
public:
    DesktopDialog(DesktopStage & stage, char const * dialogName, omu_PrimTuple const & values)
        : DesktopImpl(stage, dialogName, values)
    {
    }

private:
    // A field of the dialog and where its value goes in the tuple.
    struct Field {
        enum class Kind { Int, Number, Text, Bool };
        std::string label;
        Kind kind;
        std::vector<int> path;  // element indices from the top of the tuple to the value
        FX::FXTextField * text = nullptr;
        FX::FXCheckButton * check = nullptr;
    };

    void Build(FX::FXDialogBox * box) override;
    bool Modal() const override;
    void Answer(bool ok) override;
    long OnField(FX::FXObject * sender, FX::FXSelector selector) override;

    void AddFields();
    void AddField(std::string label, omu_Primitive const & value, std::vector<int> path);
    // The tuple with every field's value in place; false with a message when
    // a field's text cannot be used.
    bool Collect(omu_PrimTuple & collected, std::string & problem) const;
    // The command tuples in the shape the dialog step reads back.
    omu_PrimTuple Returned(omu_PrimTuple const & filled) const;
    bool IsCommandTuple() const;

    std::vector<Field> fields;
    // The data as it came, with the fields' values: what the fields edit.
    omu_PrimTuple sent;
};

#endif

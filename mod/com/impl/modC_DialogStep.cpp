#include "modC_DialogStep.h"

#include <cstring>

#include "WFXCommand.h"
#include "WFXTarget.h"
#include "crt_Assert.h"
#include "modC_DialogMethod.h"
#include "modC_MethodFactory.h"
#include "modC_StepReceiver.h"

namespace {

cow_String Text(FX::FXString const & s)
{
    return cow_String(s.text());
}

int AsInt(bool b)
{
    return b ? 1 : 0;
}

bool Is(FX::FXObject const * object, char const * className)
{
    return std::strcmp(object->getClassName(), className) == 0;
}

omu_PrimTuple KeywordTuple(WFXKeyword const * keyword)
{
    char const * type = keyword->getTypeName();
    omu_PrimTuple t;
    t.Put(type);
    t.Put(Text(keyword->getName()));
    t.Put(AsInt(keyword->isRequired()));
    t.Put(AsInt(keyword->isHidden()));
    if (std::strcmp(type, "Int") == 0) {
        t.Put(static_cast<int>(static_cast<WFXIntKeyword const *>(keyword)->getValue()));
    } else if (std::strcmp(type, "Float") == 0) {
        t.Put(static_cast<double>(static_cast<WFXFloatKeyword const *>(keyword)->getValue()));
    } else if (std::strcmp(type, "String") == 0) {
        t.Put(Text(static_cast<WFXStringKeyword const *>(keyword)->getValue()));
    } else if (std::strcmp(type, "Bool") == 0) {
        t.Put(AsInt(static_cast<WFXBoolKeyword const *>(keyword)->getValue()));
    } else if (std::strcmp(type, "SymConst") == 0) {
        auto const * symKw = static_cast<WFXSymConstKeyword const *>(keyword);
        t.Put(Text(symKw->getValue()));
        t.Put(Text(symKw->getDefaultValue()));
    } else if (std::strcmp(type, "Tuple") == 0 || std::strcmp(type, "Table") == 0) {
        auto const * tupleKw = static_cast<WFXTupleKeyword const *>(keyword);
        t.Put(Text(tupleKw->getValues()));
        t.Put(Text(tupleKw->getDefaultValues()));
        t.Put(static_cast<unsigned int>(tupleKw->getDefaultType()));
        t.Put(static_cast<unsigned int>(tupleKw->getDefaultStyle()));
        t.Put(static_cast<int>(tupleKw->getMinCount()));
        t.Put(static_cast<int>(tupleKw->getMaxCount()));
        if (std::strcmp(type, "Table") == 0)
            t.Put(static_cast<int>(static_cast<WFXTableKeyword const *>(keyword)->getNumRows()));
    } else {
        QEL_ASSERT(0);
    }
    return t;
}

void ApplyKeyword(WFXKeyword * keyword, omu_PrimTuple const & incoming)
{
    cow_String typeName;
    cow_String kwdName;
    incoming.Begin();
    incoming.Get(typeName);
    incoming.Get(kwdName);
    char const * type = keyword->getTypeName();
    if (std::strcmp(type, "Int") == 0) {
        auto * intKw = static_cast<WFXIntKeyword *>(keyword);
        QEL_ASSERT(typeName == "Int" && kwdName == intKw->getName().text());
        int value = 0;
        incoming.Get(value);
        intKw->setValue(value);
    } else if (std::strcmp(type, "Float") == 0) {
        auto * floatKw = static_cast<WFXFloatKeyword *>(keyword);
        QEL_ASSERT(typeName == "Float" && kwdName == floatKw->getName().text());
        float value = 0;
        incoming.Get(value);
        floatKw->setValue(value);
    } else if (std::strcmp(type, "String") == 0) {
        auto * stringKw = static_cast<WFXStringKeyword *>(keyword);
        QEL_ASSERT(typeName == "String" && kwdName == stringKw->getName().text());
        cow_String value;
        incoming.Get(value);
        stringKw->setValue(value.AsCharPtr());
    } else if (std::strcmp(type, "Bool") == 0) {
        auto * boolKw = static_cast<WFXBoolKeyword *>(keyword);
        QEL_ASSERT(typeName == "Bool" && kwdName == boolKw->getName().text());
        bool value = false;
        incoming.Get(value);
        boolKw->setValue(value);
    } else if (std::strcmp(type, "SymConst") == 0) {
        auto * symKw = static_cast<WFXSymConstKeyword *>(keyword);
        QEL_ASSERT(typeName == "SymConst" && kwdName == symKw->getName().text());
        cow_String value;
        incoming.Get(value);
        symKw->setValue(value.AsCharPtr());
    } else if (std::strcmp(type, "Tuple") == 0) {
        auto * tupleKw = static_cast<WFXTupleKeyword *>(keyword);
        QEL_ASSERT(typeName == "Tuple" && kwdName == tupleKw->getName().text());
        cow_String value;
        incoming.Get(value);
        tupleKw->setValues(value.AsCharPtr());
    } else if (std::strcmp(type, "Table") == 0) {
        auto * tableKw = static_cast<WFXTableKeyword *>(keyword);
        QEL_ASSERT(typeName == "Table" && kwdName == tableKw->getName().text());
        cow_String value;
        incoming.Get(value);
        tableKw->setValues(value.AsCharPtr());
    } else {
        QEL_ASSERT(0);
    }
}

}  // namespace

modC_DialogStep::modC_DialogStep(char const * dialogName, omu_PrimTuple const & values, int seq)
    : modC_Step(seq), dialogName(dialogName), values(values), initialValues(values),
      commands(new FXObjectList), targets(new FXObjectList)
{
}

modC_DialogStep::modC_DialogStep(char const * dialogName, int seq)
    : modC_Step(seq), dialogName(dialogName), commands(new FXObjectList), targets(new FXObjectList)
{
}

modC_DialogStep::~modC_DialogStep()
{
    modC_DialogStep::Cancel();
}

void modC_DialogStep::setCommandsAndTargets(FXObjectList * newCommands, FXObjectList * newTargets)
{
    commands->clear();
    targets->clear();
    if (newCommands)
        for (FX::FXint i = 0; i < newCommands->no(); ++i)
            commands->append((*newCommands)[i]);
    if (newTargets)
        for (FX::FXint i = 0; i < newTargets->no(); ++i)
            targets->append((*newTargets)[i]);
}

void modC_DialogStep::Execute(modC_MethodFactory const * factory, modC_StepReceiver * receiver_)
{
    receiver = receiver_;
    if (method) {
        method->Execute();
        return;
    }
    bool const plain = commands->no() == 0 && targets->no() == 0;
    modC_Method * made = factory->MakeDialogMethod(dialogName.AsCharPtr(), plain ? values : PackageValues(), this);
    // Anything but a dialog method cannot report the dialog's tuple.
    method.reset(dynamic_cast<modC_DialogMethod *>(made));
    if (!method)
        delete made;
    QEL_ASSERT(method != 0);
    method->Execute();
}

omu_PrimTuple modC_DialogStep::PackageValues() const
{
    omu_PrimTuple commandTuples;
    for (FX::FXint i = 0; i < commands->no(); ++i) {
        auto const * command = static_cast<WFXCommand const *>((*commands)[i]);
        omu_PrimTuple c(6);
        c.Put(Text(command->getObjectName()));
        c.Put(Text(command->getExpandedObjectName()));
        c.Put(Text(command->getMethod()));
        c.Put(AsInt(command->isUndoable()));
        c.Put(AsInt(command->isJournaled()));
        omu_PrimTuple keywords;
        for (FX::FXint k = 0; k < command->getNumKeywords(); ++k)
            keywords.Put(KeywordTuple(command->getKeyword(k)));
        c.Put(keywords);
        commandTuples.Put(c);
    }
    omu_PrimTuple targetTuples;
    for (FX::FXint i = 0; i < targets->no(); ++i) {
        FX::FXObject const * target = (*targets)[i];
        omu_PrimTuple t(2);
        t.Put(cow_String(target->getClassName()));
        if (Is(target, "WFXIntTarget"))
            t.Put(static_cast<int>(static_cast<WFXIntTarget const *>(target)->getValue()));
        else if (Is(target, "WFXFloatTarget"))
            t.Put(static_cast<double>(static_cast<WFXFloatTarget const *>(target)->getValue()));
        else if (Is(target, "WFXStringTarget"))
            t.Put(Text(static_cast<WFXStringTarget const *>(target)->getValue()));
        else
            QEL_ASSERT(0);
        targetTuples.Put(t);
    }
    omu_PrimTuple outgoing(3);
    outgoing.Put(commandTuples);
    outgoing.Put(targetTuples);
    outgoing.Put(values);
    return outgoing;
}

void modC_DialogStep::unPackageValues(omu_PrimTuple const & incoming)
{
    FXObjectList const * cmdList = commands.get();
    FXObjectList const * tgtList = targets.get();
    omu_PrimTuple cmdTp;
    omu_PrimTuple tgtTp;
    omu_PrimTuple newValues;
    incoming.Begin();
    incoming.Get(cmdTp);
    incoming.Get(tgtTp);
    incoming.Get(newValues);

    QEL_ASSERT(cmdTp.Length() == cmdList->no());
    cmdTp.Begin();
    for (FX::FXint i = 0; i < cmdList->no(); ++i) {
        auto * command = static_cast<WFXCommand *>((*cmdList)[i]);
        omu_PrimTuple c;
        cmdTp.Get(c);
        cow_String ignoredText;
        bool ignoredFlag = false;
        c.Begin();
        c.Get(ignoredText);
        c.Get(ignoredText);
        c.Get(ignoredText);
        c.Get(ignoredFlag);
        c.Get(ignoredFlag);
        omu_PrimTuple keywords;
        c.Get(keywords);
        keywords.Begin();
        for (int k = 0; k < keywords.Length(); ++k) {
            omu_PrimTuple keyword;
            keywords.Get(keyword);
            ApplyKeyword(command->getKeyword(k), keyword);
        }
    }

    QEL_ASSERT(tgtTp.Length() == tgtList->no());
    tgtTp.Begin();
    for (FX::FXint i = 0; i < tgtList->no(); ++i) {
        FX::FXObject * target = (*tgtList)[i];
        omu_PrimTuple t;
        tgtTp.Get(t);
        cow_String typeName;
        t.Begin();
        t.Get(typeName);
        if (Is(target, "WFXIntTarget")) {
            QEL_ASSERT(typeName == "WFXIntTarget");
            int value = 0;
            t.Get(value);
            static_cast<WFXIntTarget *>(target)->setValue(value);
        } else if (Is(target, "WFXFloatTarget")) {
            QEL_ASSERT(typeName == "WFXFloatTarget");
            float value = 0;
            t.Get(value);
            static_cast<WFXFloatTarget *>(target)->setValue(value);
        } else if (Is(target, "WFXStringTarget")) {
            QEL_ASSERT(typeName == "WFXStringTarget");
            cow_String value;
            t.Get(value);
            static_cast<WFXStringTarget *>(target)->setValue(value.AsCharPtr());
        } else {
            QEL_ASSERT(0);
        }
    }

    values = newValues;
}

void modC_DialogStep::TakeValues()
{
    if (commands->no() == 0 && targets->no() == 0)
        values = method->Values();
    else
        unPackageValues(method->Values());
}

void modC_DialogStep::Done(modC_Method *)
{
    if (!method)  // finished from outside while no dialog is shown
        return;
    TakeValues();
    // The method's own Cancel, not the step's: the values just read are kept.
    method->Cancel();
    method.reset();
    if (receiver)
        receiver->StepTerminated(*this);
}

void modC_DialogStep::ValueChanged(modC_Method *)
{
    if (!method)
        return;
    TakeValues();
    if (receiver)
        receiver->StepValueChanged(*this);
}

void modC_DialogStep::Cancel()
{
    values = initialValues;
    if (method) {
        method->Cancel();
        method.reset();
    }
}

void modC_DialogStep::Suspend()
{
    if (method)
        method->Suspend();
}

void modC_DialogStep::Resume()
{
    if (method)
        method->Resume();
}

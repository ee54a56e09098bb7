#include "editor_tables.h"

#include "table_builders.h"

#include <map>

const std::vector<EditorForm>& AllEditorForms()
{
    static const std::vector<EditorForm> forms = {
        EditorForm::GrenzwerteMaxPWR, EditorForm::PWR_Korrektur, EditorForm::Softstartrelais,
        EditorForm::Timing,           EditorForm::Allgemeines,   EditorForm::Anzeigebereiche,
        EditorForm::Grenzwerte,       EditorForm::Grenzwerte_IA_Mittelwert};
    return forms;
}

const EditorTable& EditorTableFor(EditorForm form)
{
    static const std::map<EditorForm, EditorTable> tables = [] {
        std::map<EditorForm, EditorTable> all;
        using namespace Editors;
        for (EditorTable t : {GeneralTable(), DisplayRangesTable(), TimingTable(), LimitsTable(),
                              SoftStartTable(), MaxPowerBandTable(), AnodeMeanBandTable(),
                              PowerCorrectionBandTable()})
            all.emplace(t.Form, std::move(t));
        return all;
    }();
    return tables.at(form);
}

const FieldDescription* FindField(const EditorTable& table, const std::string& control)
{
    for (const FieldDescription& f : table.Fields)
        if (f.Control == control)
            return &f;
    return nullptr;
}

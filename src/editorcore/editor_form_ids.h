#pragma once
// The eight parameter editor dialogs by name. The field tables (editor_tables.h) and
// the dialogs built from them (editor_forms.h) both name a dialog this way.
enum class EditorForm {
    GrenzwerteMaxPWR,          // TGrenzwerteMaxPWRForm
    PWR_Korrektur,             // TPWR_KorrekturForm
    Softstartrelais,           // TSoftstartrelaisForm
    Timing,                    // TTimingForm
    Allgemeines,               // TAllgemeinesForm
    Anzeigebereiche,           // TAnzeigebereicheForm
    Grenzwerte,                // TGrenzwerteForm
    Grenzwerte_IA_Mittelwert,  // TGrenzwerte_IA_MittelwertForm
};

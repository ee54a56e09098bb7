#include "start_up.h"

#include "info_form.h"
#include "main_form.h"

std::unique_ptr<TMainForm> CreateProgramForms(Dialogs& dialogs, ParameterSet& params,
                                              const QStringList& arguments, float scale)
{
    auto* info = new TInfoForm(params);
    auto main = std::make_unique<TMainForm>(dialogs, params, arguments, scale);
    main->CreateForms(info);
    return main;
}

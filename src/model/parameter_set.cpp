#include "parameter_set.h"

std::string ProgramVersionFromBuild()
{
    return std::to_string(LCD_VERSION_MAJOR) + "." + std::to_string(LCD_VERSION_MINOR);
}

ParameterSet& TheParameterSet()
{
    static ParameterSet record;
    return record;
}

#include "parameter_set.h"

ParameterSet& TheParameterSet()
{
    static ParameterSet record;
    return record;
}

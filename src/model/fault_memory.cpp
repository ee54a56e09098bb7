#include "fault_memory.h"

FaultMemory& TheFaultMemory()
{
    static FaultMemory memory;
    return memory;
}

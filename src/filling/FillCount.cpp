#include "filling/FillCount.h"

std::string fillStatusText(const FillCount& count)
{
    return "Filled " + std::to_string(count.fields) + (count.fields == 1 ? " field, " : " fields, ")
        + std::to_string(count.recognised) + " of them recognised";
}

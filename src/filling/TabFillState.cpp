#include "filling/TabFillState.h"

void TabFillState::navigationStarted()
{
    reciprocalCodeFound = false;
    reciprocalCode = kNoReciprocalCode;
    category = CategoryPosition {};
    formWatched = false;
    recognised.clear();
}

void TabFillState::formSubmitted()
{
    if (formWatched)
        submitted = true;
}

bool TabFillState::takeSubmitted()
{
    const bool wasSubmitted = submitted;
    submitted = false;
    return wasSubmitted;
}

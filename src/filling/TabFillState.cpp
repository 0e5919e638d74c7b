#include "filling/TabFillState.h"

void TabFillState::navigationStarted()
{
    reciprocalCodeFound = false;
    reciprocalCode = kNoReciprocalCode;
    category = CategoryPosition {};
    formWatched = false;
    recognised.clear();
    passwords = PasswordFill::None;
}

void TabFillState::notePasswords(PasswordFill fill)
{
    if (fill > passwords)
        passwords = fill;
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

// Submits the form the filling wrote into as a person would: clicks its submit
// button, the first one a person can see; a form run by script has a button
// of another kind, and a form without any button is sent as Enter in a field
// would send it. Whether there was a filled form to submit.
(function () {
    'use strict';
    const kSubmitControls = 'input[type=submit],input[type=image],button:not([type]),button[type=submit]';
    const kButtonLike = 'button,input[type=button],[role=button]';
    const regions = (document.vanteloFilledRegions || []).filter((region) => region.isConnected);
    const region = regions[0];
    if (!region)
        return false;
    const controls = region.tagName === 'FORM' ? Array.from(region.elements)
        : Array.from(region.querySelectorAll('input,button,[role=button]'));
    const control = controls.find((each) => each.matches(kSubmitControls) && vanteloPage.visible(each))
        || controls.find((each) => each.matches(kSubmitControls))
        || controls.find((each) => each.matches(kButtonLike) && vanteloPage.visible(each));
    if (control)
        control.click();
    else if (region.tagName === 'FORM')
        region.requestSubmit();
    else
        return false;
    return true;
})()

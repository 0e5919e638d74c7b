#pragma once

#include "filling/FormDocumentModel.h"

#include <string>
#include <string_view>

// The JSON a browser page describes itself with, and the JSON of the writes that
// are replayed on it. The description is an object with "token" (the identity of
// the described document), "url" (its address), "elements", an array of objects with "tag", "name",
// "id", "type", "html", "value", "checked", "options", "selected" and "form", and
// for the recognition of fields "forms", an array of objects with "action",
// "method", "id", "name", "class", "submits" and "frame". A field's element may
// carry what a person reads around it: "autocomplete", "label", "aria",
// "placeholder", "title", "preceding", "maxlength", "readonly", "disabled",
// "hidden", "skipstab", "default", "defaultchecked", "defaultselected", "groups"
// (each option's group label), "values" (each option's value) and "frame" (empty
// in the top document), and "covered" (an earlier fill saw it) and "edited" (a
// person typed into it); a file input names its files in "files"; a field a
// password may go into has "shown" (a person plainly sees it), a password field
// "pattern" and "minlength".

// The model of a page description. Text that is not such a description (not
// JSON, wrong types, absurd nesting) gives an empty model; nothing is thrown.
FormDocumentModel readPageDescription(std::string_view json);

// The recorded writes of a model as the object the browser replays: "token" and
// "writes", each write naming the element's position, tag, name, id and frame (so
// that an element that changed since is left alone), what to set, whether the
// field was recognised, and whether the value is a password. A file goes with its
// name, type, bytes in base64 and its path (for the page's file chooser); one that
// cannot be read is left out.
std::string pageWritesJson(const FormDocumentModel& model);

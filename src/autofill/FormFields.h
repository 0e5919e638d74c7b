#pragma once

#include <string>
#include <vector>

// What a person reads around one form field, and the marks that tell whether a
// person is meant to fill it. A browser script or an HTML parser fills it in;
// texts are UTF-8 as the page shows them (the recogniser normalises them).
struct FieldCues {
    std::string autocomplete; // the autocomplete attribute ("email", "given-name", "off")
    std::string label; // label[for] or a wrapping label
    std::string ariaLabel; // aria-label, or the texts aria-labelledby names
    std::string placeholder;
    std::string title; // the title attribute
    std::string preceding; // the caption before a field that has no label: previous cell, heading, text
    int maxLength = -1; // -1: no limit
    bool readOnly = false;
    bool disabled = false;
    bool hidden = false; // a person cannot see it: display:none, zero size, off-screen, aria-hidden
    bool skipsTab = false; // tabindex="-1", the usual mark of a trap for robots next to autocomplete="off"
    std::string defaultValue; // the value the page gave an input or text area
    bool defaultChecked = false; // the state the page gave a check box
    int defaultSelected = -1; // the option the page chose in a drop-down, -1 for none
    std::vector<std::string> optionGroups; // per option, the label of its option group ("" outside one)
    std::vector<std::string> optionValues; // per option, its value attribute
    std::string frame; // "" for the top document, "0", "0.1", ... for same-origin frames

    bool operator==(const FieldCues&) const = default;
};

// One input, text area or drop-down of a page.
struct FormField {
    std::string tag; // "input", "textarea" or "select", in lower case
    std::string type; // the type attribute of an input ("" means text)
    std::string name;
    std::string id;
    std::string value; // current text
    bool checked = false;
    std::vector<std::string> options; // display texts of a drop-down's options
    int selectedIndex = -1;
    int form = -1; // position of its form among the page's forms; -1 for a field outside any form
    FieldCues cues;
};

// What a form says about itself, besides its fields.
struct FormCues {
    std::string action;
    std::string method;
    std::string id;
    std::string name;
    std::string className; // the class attribute
    std::vector<std::string> submitTexts; // texts of its submit buttons
    std::string frame; // as for fields

    bool operator==(const FormCues&) const = default;
};

// The fields and forms of one page (its same-origin frames included), in document order.
struct PageForms {
    std::vector<FormField> fields;
    std::vector<FormCues> forms;
};

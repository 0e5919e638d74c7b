#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// One element of a form document, as the document hands it out.
using ElementHandle = std::size_t;
// One form of a form document.
using FormHandle = std::size_t;

// The element collections the filling walks.
enum class ElementCollection {
    All, // every element of the top-level document
    Inputs, // the "input" elements
    TextAreas, // the "textarea" elements
};

// What an element is, for the operations that only some elements support.
enum class ElementType {
    Other, // anything that is not a form field
    Input, // an "input" element of any type
    TextArea, // a "textarea"
    Select, // a drop-down ("select")
};

// The operations page filling and the directory wizard use on the live document
// of a browser page. Texts are UTF-8. Every operation may fail (an element gone,
// of another type); a failed lookup gives nothing, a failed read an empty text or
// false, and a failed write changes nothing.
class IFormDocument {
public:
    virtual ~IFormDocument() = default;

    // The number of elements in a collection.
    virtual std::size_t length(ElementCollection collection) const = 0;
    // The element at a position of a collection.
    virtual std::optional<ElementHandle> itemAt(ElementCollection collection, std::size_t position) const = 0;
    // The index-th element (from 0) of a collection whose name or id equals the name.
    virtual std::optional<ElementHandle> itemByName(
        ElementCollection collection, std::string_view name, std::size_t index) const = 0;

    virtual ElementType type(ElementHandle element) const = 0;
    // The name attribute.
    virtual std::string name(ElementHandle element) const = 0;
    // The element's own markup, which tells input types apart.
    virtual std::string outerHtml(ElementHandle element) const = 0;

    // The current text of an input or text area.
    virtual std::string value(ElementHandle element) const = 0;
    virtual void setValue(ElementHandle element, const std::string& value) = 0;
    // Writes a password: only into an input or text area that a person plainly
    // sees; false, and nothing written, for any other element.
    virtual bool setPassword(ElementHandle element, const std::string& value) = 0;
    // The state of a check box or radio button.
    virtual bool checked(ElementHandle element) const = 0;
    virtual void setChecked(ElementHandle element, bool checked) = 0;

    // The options of a drop-down: their number, the display text of one, and
    // choosing one.
    virtual std::size_t optionCount(ElementHandle element) const = 0;
    virtual std::string optionText(ElementHandle element, std::size_t option) const = 0;
    virtual void setSelectedIndex(ElementHandle element, std::size_t option) = 0;

    // The form that holds an input, text area or drop-down.
    virtual std::optional<FormHandle> formOf(ElementHandle element) const = 0;

    // The document's current HTML source; nothing when it cannot be had.
    virtual std::optional<std::string> source() const = 0;
    // The address of the top-level document; empty when it is not known.
    virtual std::string address() const = 0;
};

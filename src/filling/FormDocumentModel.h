#pragma once

#include "autofill/FormFields.h"
#include "filling/IFormDocument.h"

#include <string>
#include <unordered_map>
#include <vector>

// One element of a described page: every element with a name or an id, and
// every form field, in document order.
struct FormElement {
    std::string tag; // tag name in lower case
    std::string name; // name attribute
    std::string id; // id attribute
    std::string type; // type attribute of an input
    std::string outerHtml; // own markup, kept for inputs
    std::string value; // current text of an input or text area
    std::vector<std::string> files; // names of the files a file input holds
    bool checked = false; // check box or radio state
    std::vector<std::string> options; // display texts of a drop-down's options
    int selectedIndex = -1; // chosen option, -1 for none
    int form = -1; // position of its form among the page's forms, -1 for none
    FieldCues cues; // what a person reads around a field, for the recognition of fields
    bool offered = false; // an earlier fill of the page saw the field
    bool edited = false; // a person typed into the field
    bool shown = false; // a person plainly sees the field, so a password may go into it
    std::string pattern {}; // a password field's pattern attribute
    int minLength = -1; // a password field's minlength, -1 for none

    bool operator==(const FormElement&) const = default;
};

// What a write changed.
enum class FormWriteKind {
    Value, // the text of an input or text area
    Checked, // the state of a check box or radio button
    SelectedIndex, // the chosen option of a drop-down
    File, // the file a file input holds, as if a person had chosen it
};

// One change made to the model, which a browser applies to the live page.
struct FormWrite {
    ElementHandle element = 0; // position in the model's elements
    FormWriteKind kind = FormWriteKind::Value;
    std::string value; // for Value; for File the path of the file on disk
    bool checked = false; // for Checked
    std::size_t option = 0; // for SelectedIndex
    bool recognised = false; // written because the field was recognised, not named by a form item
    bool password = false; // the value is a password: replayed only into a field still plainly seen

    bool operator==(const FormWrite&) const = default;
};

// A form document held in memory, built from a description of a browser page.
// Reads answer from the description, writes change it and are recorded in order
// so that the browser can replay them on the page. An empty model stands for a
// page that could not be described: every lookup finds nothing. Elements of
// same-origin frames are part of the model (for the recognition of fields) but
// not of its collections: a form item names an element of the top document.
class FormDocumentModel : public IFormDocument {
public:
    FormDocumentModel() = default;
    explicit FormDocumentModel(std::vector<FormElement> elements);

    std::size_t length(ElementCollection collection) const override;
    std::optional<ElementHandle> itemAt(ElementCollection collection, std::size_t position) const override;
    std::optional<ElementHandle> itemByName(
        ElementCollection collection, std::string_view name, std::size_t index) const override;
    ElementType type(ElementHandle element) const override;
    std::string name(ElementHandle element) const override;
    std::string outerHtml(ElementHandle element) const override;
    std::string value(ElementHandle element) const override;
    void setValue(ElementHandle element, const std::string& value) override;
    bool setPassword(ElementHandle element, const std::string& value) override;
    bool checked(ElementHandle element) const override;
    void setChecked(ElementHandle element, bool checked) override;
    std::size_t optionCount(ElementHandle element) const override;
    std::string optionText(ElementHandle element, std::size_t option) const override;
    void setSelectedIndex(ElementHandle element, std::size_t option) override;
    std::optional<FormHandle> formOf(ElementHandle element) const override;
    std::optional<std::string> source() const override { return m_source; }
    std::string address() const override { return m_address; }

    // The address of the described page.
    void setAddress(std::string address) { m_address = std::move(address); }
    // Puts a file from disk into a file input, as if a person had chosen it; the
    // page receives its name, type and bytes when the writes are replayed.
    void setFile(ElementHandle element, const std::string& path);

    // The page's source, when it was fetched with the description.
    void setSource(std::string source) { m_source = std::move(source); }
    // An identity of the described document, which the browser checks before it
    // replays the writes, so that they never land on a page loaded since.
    void setDocumentToken(std::string token) { m_documentToken = std::move(token); }
    const std::string& documentToken() const { return m_documentToken; }

    const std::vector<FormElement>& elements() const { return m_elements; }
    const std::vector<FormWrite>& writes() const { return m_writes; }
    // Marks the writes from this one on as made by the recognition of fields.
    void markWritesRecognised(std::size_t firstWrite);
    // From now on writes to fields that an earlier fill saw or a person edited
    // change nothing, so that a fill of fields added late touches only those.
    // The number of fields still open to writes.
    std::size_t holdEarlierFields();

    // The page's forms, in the order that FormElement::form counts.
    void setForms(std::vector<FormCues> forms) { m_forms = std::move(forms); }
    const std::vector<FormCues>& forms() const { return m_forms; }

private:
    // The positions in m_elements of one collection, and its name lookup.
    struct Collection {
        std::vector<ElementHandle> elements;
        std::unordered_map<std::string, std::vector<ElementHandle>> byName;
    };

    const Collection& collection(ElementCollection which) const;
    const FormElement* element(ElementHandle handle) const;
    FormElement* fieldElement(ElementHandle handle);

    std::vector<FormElement> m_elements;
    Collection m_all;
    Collection m_inputs;
    Collection m_textAreas;
    std::vector<FormWrite> m_writes;
    std::vector<bool> m_held;
    std::vector<FormCues> m_forms;
    std::optional<std::string> m_source;
    std::string m_address;
    std::string m_documentToken;
};

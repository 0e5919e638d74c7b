#include "profiles/ui/CProfileConfigStep5.h"

#include "profiles/ProfileWizardModel.h"
#include "widgets/QtText.h"

#include <QAction>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace SendingProfile {

CProfileConfigStep5::CProfileConfigStep5(ProfileWizardModel& model, QWidget* parent)
    : QWizardPage(parent)
    , m_model(model)
    , m_phrase(new QLineEdit)
    , m_list(new QListWidget)
    , m_add(new QPushButton(QStringLiteral("Add")))
    , m_remove(new QPushButton(QStringLiteral("Remove")))
{
    // Shared with the contact page: the phrases belong to the last step.
    setTitle(QStringLiteral("Profile Configuration - Step 4 of 4"));
    m_phrase->installEventFilter(this);
    m_add->setAutoDefault(false);
    m_remove->setAutoDefault(false);
    connect(m_add, &QPushButton::clicked, this, &CProfileConfigStep5::addPhrase);
    connect(m_remove, &QPushButton::clicked, this, &CProfileConfigStep5::removePhrase);
    auto* removeKey = new QAction(m_list);
    removeKey->setShortcut(QKeySequence::Delete);
    removeKey->setShortcutContext(Qt::WidgetShortcut);
    m_list->addAction(removeKey);
    connect(removeKey, &QAction::triggered, this, &CProfileConfigStep5::removePhrase);

    auto* label = new QLabel(QStringLiteral("Search &phrase:"));
    label->setBuddy(m_phrase);
    auto* layout = new QGridLayout(this);
    layout->addWidget(label, 0, 0);
    layout->addWidget(m_phrase, 0, 1);
    layout->addWidget(m_add, 0, 2);
    layout->addWidget(m_list, 1, 0, 1, 2);
    layout->addWidget(m_remove, 1, 2, Qt::AlignTop);
    setTabOrder(m_phrase, m_add);
    setTabOrder(m_add, m_list);
    setTabOrder(m_list, m_remove);

    m_phrase->setObjectName("phraseEdit");
    m_list->setObjectName("phraseList");
    m_add->setObjectName("addPhraseButton");
    m_remove->setObjectName("removePhraseButton");
}

void CProfileConfigStep5::initializePage()
{
    refill(-1);
    m_phrase->setFocus();
}

// Enter in a phrase field with text adds the phrase; in an empty one it finishes.
bool CProfileConfigStep5::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_phrase && event->type() == QEvent::KeyPress && !m_phrase->text().isEmpty()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            addPhrase();
            return true;
        }
    }
    return QWizardPage::eventFilter(watched, event);
}

void CProfileConfigStep5::addPhrase()
{
    if (!m_model.addSerpPhrase(toStdString(m_phrase->text())))
        return;
    m_phrase->clear();
    refill(static_cast<int>(m_model.fields().serpPhrases.size()) - 1);
}

void CProfileConfigStep5::removePhrase()
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty())
        return;
    refill(m_model.removeSerpPhrase(m_list->row(selected.front())));
}

void CProfileConfigStep5::refill(int selected)
{
    m_list->clear();
    for (const std::string& phrase : m_model.fields().serpPhrases)
        m_list->addItem(toQString(phrase));
    if (selected >= 0)
        m_list->setCurrentRow(selected);
}

} // namespace SendingProfile

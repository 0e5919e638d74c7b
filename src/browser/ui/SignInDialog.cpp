#include "browser/ui/SignInDialog.h"

#include "widgets/QtText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kAsks = "%1 asks for a user name and password.";
constexpr const char* kRealm = "The site says: \"%1\"";
constexpr int kTextWidth = 380;

} // namespace

SignInDialog::SignInDialog(const SignInRequest& request, QWidget* parent)
    : QDialog(parent)
    , m_userName(new QLineEdit(toQString(request.userName)))
    , m_password(new QLineEdit)
    , m_remember(new QCheckBox(toQString(kRememberForSession)))
{
    setWindowTitle(toQString(kCaption));
    QString said = QString::fromLatin1(kAsks).arg(toQString(request.server));
    if (!request.realm.empty())
        said += QLatin1Char('\n') + QString::fromLatin1(kRealm).arg(toQString(request.realm));
    auto* text = new QLabel(said);
    // The realm is the server's text: shown as it is, never as markup.
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setMaximumWidth(kTextWidth);
    m_password->setEchoMode(QLineEdit::Password);

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&User name:"), m_userName);
    fields->addRow(QStringLiteral("&Password:"), m_password);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Sign in"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(fields);
    layout->addWidget(m_remember);
    layout->addWidget(buttons);
    // With the profile's user name offered, the password is what is left to type.
    if (request.userName.empty())
        m_userName->setFocus();
    else
        m_password->setFocus();

    text->setObjectName("signInText");
    m_userName->setObjectName("userNameEdit");
    m_password->setObjectName("passwordEdit");
    m_remember->setObjectName("rememberBox");
}

SignInAnswer SignInDialog::answer() const
{
    return { toStdString(m_userName->text()), toStdString(m_password->text()), m_remember->isChecked() };
}

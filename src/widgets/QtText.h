#pragma once

#include <QString>

#include <string>

// The core speaks UTF-8 std::string, Qt speaks QString; these convert at the boundary.
inline QString toQString(const std::string& text)
{
    return QString::fromStdString(text);
}

// The program's own texts (captions, labels, filters), written as UTF-8 literals.
inline QString toQString(const char* text)
{
    return QString::fromUtf8(text);
}

inline std::string toStdString(const QString& text)
{
    return text.toStdString();
}

// A tool tip that shows a text from outside (a page title, a directory's name)
// as it is: Qt would take a text that looks like markup for rich text.
inline QString plainToolTip(const QString& text)
{
    return QStringLiteral("<p style=\"white-space:pre\">") + text.toHtmlEscaped() + QStringLiteral("</p>");
}

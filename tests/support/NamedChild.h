#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <gtest/gtest.h>

#include <source_location>
#include <stdexcept>
#include <string>

// Ends a test whose window lacks a child it looks for, after the failure has
// been recorded, so that the test never goes on with a null pointer.
class MissingChild : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The one descendant of `parent` of type W whose object name is `name`, the way
// GUI tests reach a window's widgets. When there is none, or more than one, the
// test fails at the caller's line with a message that names the child, and
// MissingChild ends it.
template <class W>
W* child(
    const QObject& parent, const char* name, std::source_location caller = std::source_location::current())
{
    const QString wanted = QString::fromLatin1(name);
    const QList<W*> found = parent.findChildren<W*>(wanted);
    if (found.size() == 1)
        return found.front();
    std::string problem;
    if (found.size() > 1) {
        problem = std::to_string(found.size()) + " of them";
    } else {
        problem = "none";
        // A child of that name but of another type is the likelier slip; say so.
        for (const QObject* other : parent.findChildren<QObject*>(wanted))
            problem += std::string(", but a ") + other->metaObject()->className();
    }
    const std::string message = std::string("child ") + W::staticMetaObject.className() + " \"" + name
        + "\" of " + parent.metaObject()->className() + ": " + problem;
    ADD_FAILURE_AT(caller.file_name(), static_cast<int>(caller.line())) << message;
    throw MissingChild(message);
}

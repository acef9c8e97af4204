#pragma once
// Parts of the program that only some actions need, each a plugin loaded the first time one of
// those actions is used, so that the program starts without their libraries: the e-invoice
// channel (libcurl, OpenSSL) and the operator-script replay (Qt Test). They are looked for in
// plugins/ beside the program, then in the build tree's.

#include <QObject>
#include <QString>

namespace qorvana {

// The plugin's root object, the same one each time; nullptr, with `error` saying why (the
// loader's own text), when it cannot be loaded.
QObject* LoadProgramPart(const QString& fileName, QString& error);

// The plugin's root object as the part's interface.
template <typename Part>
Part* LoadProgramPart(const QString& fileName, QString& error) {
    QObject* root = LoadProgramPart(fileName, error);
    Part* part = qobject_cast<Part*>(root);
    if (root && !part) error = fileName + QStringLiteral(": not the expected plugin");
    return part;
}

}  // namespace qorvana

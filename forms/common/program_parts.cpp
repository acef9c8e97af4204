#include "forms/common/program_parts.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPluginLoader>

namespace qorvana {

QObject* LoadProgramPart(const QString& fileName, QString& error) {
    // An installed program carries its plugins beside it; the build tree has them in one place
    // for the program, the tests and the benchmarks.
    const QString places[] = {QCoreApplication::applicationDirPath() + QStringLiteral("/plugins"),
                              QStringLiteral(QORVANA_PLUGIN_DIR)};
    for (const QString& place : places) {
        const QString path = place + u'/' + fileName;
        if (!QFileInfo::exists(path)) continue;
        QPluginLoader loader(path);
        // Every symbol resolved now: a part that cannot work fails here, not midway.
        loader.setLoadHints(QLibrary::ResolveAllSymbolsHint);
        if (QObject* root = loader.instance()) return root;
        error = loader.errorString();
        return nullptr;
    }
    error = fileName + QStringLiteral(" not found in ") + places[0] + QStringLiteral(" or ") +
            places[1];
    return nullptr;
}

}  // namespace qorvana

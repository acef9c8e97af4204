// The operator-script replay as the plugin the program loads with --replay.

#include <QObject>
#include <memory>

#include "app/operator_script.h"
#include "app/replay.h"

namespace qorvana {

class ReplayPlugin : public QObject, public OperatorScriptReplay {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QORVANA_OPERATOR_SCRIPT_REPLAY_IID)
    Q_INTERFACES(qorvana::OperatorScriptReplay)

  public:
    std::unique_ptr<OperatorScript> load(FormSet& forms, const QString& scriptPath,
                                         const QString& outputFolder) override {
        return std::make_unique<Replay>(forms, scriptPath, outputFolder);
    }
};

}  // namespace qorvana

#include "replay_plugin.moc"

#pragma once

#include "core/app/ExternalProcess.h"
#include "core/firmware/FirmwareBuild.h"

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>

class QWidget;

namespace lumaro::gui {

class CLayoutDocument;
struct CPrompts;

// Runs one firmware build from the event loop: the compiler works in its own
// process while a timer looks for the image every 20 ms, so the window keeps
// painting and the progress bar moves. One build runs at a time in the
// program: its runners share one count of running builds. The Create BIN
// File dialog shows the language texts and a report;
// the scene editor's Save/Create shows fixed English texts and no report.
class CFirmwareBuildRunner : public QObject {
    Q_OBJECT
public:
    enum class Texts { Language, English };
    // The builds running in one program. Shared, as a runner may outlive
    // the one who made it.
    using RunningCount = std::shared_ptr<int>;

    CFirmwareBuildRunner(CPrompts& prompts, QWidget* owner, Texts texts, RunningCount running);
    ~CFirmwareBuildRunner() override;

    // Compiles the document and starts the build; false, after its message,
    // when it ended before the compiler was started, or when a build already
    // runs. setup.lampCount is taken from the document.
    bool Run(CLayoutDocument& document, CFirmwareBuild::Setup setup);
    bool Running() const { return m_build.has_value(); }
    bool AnyRunning() const { return *m_running > 0; }
    // Ends a running build at once: the batch file and the compilers it
    // started are ended, nothing is copied or stamped, and the report says
    // the build was cancelled (key kCancelledKey).
    void Cancel();
    static constexpr const char* kCancelledKey = "CRTBINDLG_ONBINGO_CANCELLED";

    // Set by the opener: once the image is stamped, and a second later, the
    // download dialog is opened with it.
    std::function<void(const QString& image)> writeWhenBuilt;
    // The process behind the batch file; the tests give a fake.
    std::function<std::unique_ptr<IExternalProcess>()> makeProcess;
    // The pause before the download dialog opens.
    int downloadDelayMs = 1000;

Q_SIGNALS:
    // Rounds of waiting so far; the first 100 fill the bar.
    void Progress(int rounds);
    void Reported(const QString& report);
    // The stamped copy is where it belongs (its full path).
    void Written(const QString& image);
    // image: the stamped copy, empty when the build ended without one.
    void Finished(const QString& source, const QString& image);

private:
    void OnRound();
    void Complete();
    void End(const QString& image);
    void Show(const Status& failure);
    void ShowText(const QString& text, QMessageBox::Icon icon);
    QString Text(const Status& failure) const;

    CPrompts& m_prompts;
    QWidget* m_owner;
    Texts m_texts;
    RunningCount m_running;
    std::optional<CFirmwareBuild> m_build;
    std::unique_ptr<IExternalProcess> m_process;
    QTimer m_timer;
};

} // namespace lumaro::gui

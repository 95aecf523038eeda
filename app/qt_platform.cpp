#include "app/qt_platform.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>

#include "app/latin1.h"

namespace wintarvel::view {

namespace {

constexpr int kStartTimeoutMs = 30000;
constexpr int kStopGraceMs = 3000;

QString elapsedText(qint64 ms) {
  const qint64 seconds = ms / 1000;
  return QStringLiteral("Elapsed time: %1:%2:%3")
      .arg(seconds / 3600)
      .arg((seconds / 60) % 60, 2, 10, QLatin1Char('0'))
      .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// The wait for a running engine: closes itself when the engine ends; Stop ends the engine, and so
// do Escape and closing the dialog once the user has said yes.
class EngineWaitDialog : public QDialog {
 public:
  EngineWaitDialog(QProcess& process, Ui* ui, QWidget* parent)
      : QDialog(parent), process_(process), ui_(ui) {
    setObjectName(QStringLiteral("EngineWait"));
    setWindowTitle(QStringLiteral("Tarvel is running"));
    setModal(true);
    auto* message = new QLabel(QStringLiteral("Tarvel is running"), this);
    message->setObjectName(QStringLiteral("EngineWaitMessage"));
    elapsed_ = new QLabel(elapsedText(0), this);
    elapsed_->setObjectName(QStringLiteral("EngineWaitElapsed"));
    auto* stop = new QPushButton(QStringLiteral("Stop"), this);
    stop->setObjectName(QStringLiteral("EngineWaitStop"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(stop);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message);
    layout->addWidget(elapsed_);
    layout->addLayout(buttons);
    setMinimumWidth(280);

    clock_.start();
    connect(&ticker_, &QTimer::timeout, this,
            [this] { elapsed_->setText(elapsedText(clock_.elapsed())); });
    ticker_.start(250);
    connect(&process_, &QProcess::finished, this, [this] { accept(); });
    connect(stop, &QPushButton::clicked, this, [this] { stopEngine(); });
  }

  bool stopped() const { return stopped_; }

  // Escape and the close button: a key pressed by mistake must not end a long run.
  void reject() override {
    if (process_.state() == QProcess::NotRunning) return;  // it ended: the wait closes by itself
    if (ui_ && ui_->ask("Stop Tarvel?", "Confirm", Buttons::YesNo) != Answer::Yes) return;
    stopEngine();
  }

 private:
  void stopEngine() {
    if (process_.state() == QProcess::NotRunning) return;  // ended while the user was asked
    stopped_ = true;
    process_.terminate();
    if (!process_.waitForFinished(kStopGraceMs)) {
      process_.kill();
      process_.waitForFinished(kStopGraceMs);
    }
    QDialog::reject();
  }

  QProcess& process_;
  Ui* ui_;
  QLabel* elapsed_;
  QElapsedTimer clock_;
  QTimer ticker_;
  bool stopped_ = false;
};

}  // namespace

std::optional<int> QtPlatform::runEngine(const std::string& program,
                                         const std::string& workingDir) {
  stopped_ = false;
  // No folder means no run: QProcess would start the engine in the current folder instead, where
  // the native platforms refuse the start, and the engine would not find its instruction file.
  if (workingDir.empty()) return std::nullopt;
  // The same start as the plain platform's: a Windows engine on Linux runs through Wine.
  const EngineCommand command = engineCommand(program);
  if (command.arguments.empty()) return std::nullopt;
  QStringList arguments;
  for (auto a = command.arguments.begin() + 1; a != command.arguments.end(); ++a) {
    arguments << toQt(*a);
  }
  QProcess process;
  process.setProgram(toQt(command.arguments.front()));
  process.setArguments(arguments);
  process.setWorkingDirectory(toQt(workingDir));
  process.setProcessChannelMode(QProcess::ForwardedChannels);
  process.start();
  if (!process.waitForStarted(kStartTimeoutMs)) return std::nullopt;

  EngineWaitDialog wait(process, ui_, window_);
  if (process.state() != QProcess::NotRunning) wait.exec();
  stopped_ = wait.stopped();
  if (stopped_) return std::nullopt;
  if (process.state() != QProcess::NotRunning) process.waitForFinished(-1);
  return process.exitCode();
}

}  // namespace wintarvel::view

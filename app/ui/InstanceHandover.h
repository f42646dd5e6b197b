#pragma once

#include <QObject>
#include <QString>
#include <string>

class QLocalServer;
class QLocalSocket;

namespace app {

// One window per user and program folder. The first start listens on a
// local socket named for both; a later start hands its folder argument
// (absolute, or empty) to it and ends, so two windows never write the same
// list file and settings over each other.
class InstanceHandover : public QObject {
  Q_OBJECT

 public:
  enum class Outcome {
    HandedOver,    // a running window took the folder: this start ends
    NoAnswer,      // a window runs but did not answer in time
    Listening,     // none ran: this start opens the window and listens
    NotListening,  // none ran, and the socket could not be made
  };

  explicit InstanceHandover(QObject* parent = nullptr);
  ~InstanceHandover() override;

  // The socket's path for the program folder `programFolder`: in the
  // user's runtime folder when there is one, else in the temporary folder
  // with the user's id in the name.
  static QString SocketPath(const std::string& programFolder, const QString& runtimeFolder);

  // Hands `folder` to the window listening at `socketPath`; if none does,
  // listens there itself, taking over a socket a killed start left. Two
  // starts at one moment decide one after the other. A socket of another
  // user (in a shared temporary folder) is sent nothing and left alone.
  Outcome HandOverOrListen(const QString& socketPath, const QString& folder);

  // Hands `folder` to the window listening at `socketPath`, waiting at most
  // `answerMs` for it to take it: HandedOver, NoAnswer, or NotListening
  // when no window of this user listens there.
  static Outcome HandOver(const QString& socketPath, const QString& folder, int answerMs);

  // The window is closing: later starts open a window of their own.
  void StopListening();

 signals:
  // Another start handed over `folder` (empty when it named none).
  void handedOver(const QString& folder);

 private:
  bool Listen(const QString& socketPath);
  void Answer(QLocalSocket* socket);

  QLocalServer* server_ = nullptr;
};

}  // namespace app

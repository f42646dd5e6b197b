#pragma once

#include <QObject>
#include <memory>

#include "catalogue/scan/DetachedTask.h"

namespace catalogue {

// Hears a detached task on the window's thread, as QFutureWatcher does a
// future: the task's progress and end arrive as queued signals. Progress
// arrives at most every 50 ms, and never twice on its way (the slot reads
// the task's latest count); the end always arrives. Once the watcher is gone the
// task's reports reach nobody; the task runs on until it ends.
class TaskWatcher : public QObject {
  Q_OBJECT

 public:
  explicit TaskWatcher(QObject* parent = nullptr);
  ~TaskWatcher() override;

  // The listener to give the task that this watcher is to hear.
  TaskListener Listener();

 signals:
  void progressed();
  void finished();

 private:
  struct Relay;
  std::shared_ptr<Relay> relay_;
};

}  // namespace catalogue

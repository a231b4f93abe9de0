// varmo-sim run by a test: a simulated module on a pseudo-terminal linked as COM1 in a
// private port-link folder that this process's port names resolve through.
#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class SimModule {
 public:
  explicit SimModule(const QStringList& options = {});
  ~SimModule();

  bool Started() const { return started_; }
  // Everything the simulator printed so far, one entry a line.
  QStringList Lines();
  bool Said(const QString& line) { return Lines().contains(line); }
  // Lines that begin with the prefix.
  QStringList LinesStartingWith(const QString& prefix);

 private:
  QTemporaryDir home_;
  QProcess process_;
  QString output_;
  bool started_ = false;
};

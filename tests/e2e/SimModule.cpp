#include "SimModule.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

SimModule::SimModule(const QStringList& options) {
  const QString links = home_.path() + "/varmo-terminal/ports";
  qputenv("XDG_CONFIG_HOME", home_.path().toLocal8Bit());
  process_.setProgram(QStringLiteral(VARMO_SIM_PATH));
  process_.setArguments(QStringList{"--port", "1", "--links", links} + options);
  process_.start();
  started_ = process_.waitForStarted(5000);
  if (started_) {
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(links + "/COM1").isSymLink(), 5000);
  }
}

SimModule::~SimModule() {
  process_.terminate();
  if (!process_.waitForFinished(3000)) process_.kill();
}

QStringList SimModule::Lines() {
  output_ += QString::fromLatin1(process_.readAllStandardOutput());
  return output_.split('\n', Qt::SkipEmptyParts);
}

QStringList SimModule::LinesStartingWith(const QString& prefix) {
  QStringList found;
  for (const QString& line : Lines()) {
    if (line.startsWith(prefix)) found << line;
  }
  return found;
}

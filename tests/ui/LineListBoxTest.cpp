// The line list: rows newest first under the heading, exact bytes, visible control
// symbols, selection and scrolling that hold still while rows arrive.
#include <QScrollBar>
#include <QtTest>

#include "lines/LineListBox.h"
#include "lines/RowText.h"

class LineListBoxTest : public QObject {
  Q_OBJECT

 private slots:
  void rowsRunNewestFirstUnderTheHeadingWithTheirExactBytes() {
    TLineListBox list(QStringLiteral("ОТВЕТ:"));
    const std::string binary("A\0B\n\r\xff\x98", 7);
    list.Insert("first");
    list.Insert(binary);
    list.Insert("");
    QCOMPARE(list.RowCount(), 4u);
    QCOMPARE(list.RowDisplayText(0), QStringLiteral("ОТВЕТ:"));
    QCOMPARE(list.Store().Row(1), std::string());
    QCOMPARE(list.Store().Row(2), binary);
    QCOMPARE(list.Store().Row(3), std::string("first"));
  }

  void controlBytesAreDrawnAsVisibleSymbols_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("line feed") << QByteArray("OK\n") << QStringLiteral("OK\u240A");
    QTest::newRow("nul and tab") << QByteArray("a\0\tb", 4) << QStringLiteral("a\u2400\u2409b");
    QTest::newRow("escape and del") << QByteArray("\x1b\x7f") << QStringLiteral("\u241B\u2421");
    QTest::newRow("cyrillic") << QByteArray("\xcf\xf0\xe8\xe2\xe5\xf2") << QStringLiteral("Привет");
  }
  void controlBytesAreDrawnAsVisibleSymbols() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QCOMPARE(RowText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))),
             shown);
  }

  void newRowsDoNotMoveWhatTheOperatorIsReading() {
    TLineListBox list(QStringLiteral("H"));
    list.resize(300, 10 * 14);
    list.show();
    for (int i = 0; i < 100; ++i) list.Insert(std::to_string(i));
    QCOMPARE(list.TopRow(), 0u);  // at the top, the newest row is in view
    list.Insert("new");
    QCOMPARE(list.TopRow(), 0u);
    QCOMPARE(list.Store().Row(1), std::string("new"));

    list.UpdateScrollBars();
    list.verticalScrollBar()->setValue(40);
    const std::string reading = list.Store().Row(40);
    for (int i = 0; i < 5; ++i) list.Insert("more");
    QCOMPARE(list.Store().Row(list.TopRow()), reading);
  }

  void theScrollBarCatchesUpWithRowsArrivingAtTheTop() {
    TLineListBox list(QStringLiteral("H"));
    list.resize(300, 10 * list.RowHeight() + 4);
    list.show();
    for (int i = 0; i < 60; ++i) list.Insert("r");
    QTRY_COMPARE(list.verticalScrollBar()->maximum(), static_cast<int>(61 - list.RowsInView()));
  }

  void aRangeLeftBehindCatchesUpWhenTheOperatorReachesForTheBar() {
    TLineListBox list(QStringLiteral("H"));
    list.resize(300, 10 * list.RowHeight() + 4);
    list.show();
    for (int i = 0; i < 500; ++i) list.Insert("r");
    QTest::qWait(400);  // the bar's catch-up has run: its slider is at its least length
    for (int i = 0; i < 500; ++i) list.Insert("r");
    QTest::qWait(400);
    QScrollBar* bar = list.verticalScrollBar();
    QWheelEvent wheel(QPointF(2, 2), bar->mapToGlobal(QPointF(2, 2)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(bar, &wheel);
    QCOMPARE(bar->maximum(), static_cast<int>(1001 - list.RowsInView()));
    QVERIFY(bar->value() > 0);
    QTest::keyClick(&list, Qt::Key_End);
    QCOMPARE(list.TopRow() + list.RowsInView(), 1001u);
  }

  void theSelectionFollowsItsLine() {
    TLineListBox list(QStringLiteral("H"));
    list.resize(300, 10 * 14);
    list.show();
    for (int i = 0; i < 20; ++i) list.Insert("line " + std::to_string(i));
    list.SelectRow(3);
    const std::string chosen = list.Store().Row(3);
    list.Insert("x");
    list.Insert("y");
    QCOMPARE(*list.SelectedRow(), 5u);
    QCOMPARE(list.Store().Row(*list.SelectedRow()), chosen);
  }

  void keysAndTheMouseMoveTheSelection() {
    TLineListBox list(QStringLiteral("H"));
    list.resize(300, 10 * list.RowHeight() + 4);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    for (int i = 0; i < 50; ++i) list.Insert(std::to_string(i));
    QTest::keyClick(&list, Qt::Key_Down);
    QCOMPARE(*list.SelectedRow(), 0u);
    QTest::keyClick(&list, Qt::Key_Down);
    QCOMPARE(*list.SelectedRow(), 1u);
    QTest::keyClick(&list, Qt::Key_End);
    QCOMPARE(*list.SelectedRow(), 50u);
    QVERIFY(list.TopRow() + list.RowsInView() > 50u);  // scrolled into view
    QTest::keyClick(&list, Qt::Key_PageUp);
    QVERIFY(*list.SelectedRow() < 50u);
    QTest::keyClick(&list, Qt::Key_Home);
    QCOMPARE(*list.SelectedRow(), 0u);
    QCOMPARE(list.TopRow(), 0u);
    QTest::keyClick(&list, Qt::Key_Up);
    QCOMPARE(*list.SelectedRow(), 0u);

    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      QPoint(10, 2 * list.RowHeight() + list.RowHeight() / 2));
    QCOMPARE(*list.SelectedRow(), 2u);
    QTest::mouseClick(list.viewport(), Qt::RightButton, {}, QPoint(10, 5));
    QCOMPARE(*list.SelectedRow(), 2u);
  }

  void theMouseWheelScrolls() {
    TLineListBox list(QStringLiteral("H"));
    list.resize(300, 10 * 14);
    list.show();
    for (int i = 0; i < 100; ++i) list.Insert("r");
    list.UpdateScrollBars();
    QWheelEvent wheel(QPointF(10, 10), list.mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list.viewport(), &wheel);
    QVERIFY(list.TopRow() > 0u);
  }

  void aRowCostsItsBytesPlusAtMostSixteen() {
    LineStore store("H");
    const std::string row(63, 'x');
    const std::size_t rows = 200000;
    for (std::size_t i = 0; i < rows; ++i) store.Insert(row);
    QVERIFY(store.BytesReserved() <= rows * (row.size() + 16));
    QCOMPARE(store.Row(1), row);
    QCOMPARE(store.Row(rows), row);
  }

  void rowsRunAcrossArenaChunks() {
    LineStore store("H");
    std::vector<std::string> lines;
    for (int i = 0; i < 40; ++i) {
      lines.push_back(std::string(50000 + i, static_cast<char>('a' + i % 26)));
      store.Insert(lines.back());
    }
    for (int i = 0; i < 40; ++i) QCOMPARE(store.Row(40 - i), lines[i]);
  }
};

QTEST_MAIN(LineListBoxTest)
#include "LineListBoxTest.moc"

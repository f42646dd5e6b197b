#include "widgets/MessageBox.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "widgets/MessageListBox.h"
#include "widgets/QtDialogs.h"

namespace widgets {
namespace {

// Runs `act` on the modal box once it is showing.
void WhenShown(const std::function<void(MessageBox*)>& act) {
  QTimer::singleShot(0, [act] {
    auto* box = qobject_cast<MessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    act(box);
  });
}

TEST(MessageBox, ButtonsEscapeAndCloseGiveTheirResults) {
  QStringList two = {QStringLiteral("実行"), QStringLiteral("キャンセル")};
  {
    MessageBox box(QStringLiteral("削除しますか?"), two, QPixmap());
    WhenShown([](MessageBox* b) { b->Button(0)->click(); });
    EXPECT_EQ(box.Ask(), Dialogs::Answer::First);
  }
  {
    MessageBox box(QStringLiteral("削除しますか?"), two, QPixmap());
    WhenShown([](MessageBox* b) { b->Button(1)->click(); });
    EXPECT_EQ(box.Ask(), Dialogs::Answer::Second);
  }
  {
    MessageBox box(QStringLiteral("削除しますか?"), two, QPixmap());
    WhenShown([](MessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); });
    EXPECT_EQ(box.Ask(), Dialogs::Answer::Second);
  }
  {
    MessageBox box(QStringLiteral("削除しますか?"), two, QPixmap());
    WhenShown([](MessageBox* b) { QTest::keyClick(b, Qt::Key_Return); });
    EXPECT_EQ(box.Ask(), Dialogs::Answer::First);  // the first button unless told
  }
  {
    MessageBox box(QStringLiteral("削除しますか?"), two, QPixmap());
    WhenShown([](MessageBox* b) { b->close(); });
    EXPECT_EQ(box.Ask(), Dialogs::Answer::Closed);
  }
}

// A question before a file is replaced or rows deleted: Enter, Space and
// Escape all keep what is there.
TEST(MessageBox, AQuestionThatReplacesOrDeletesKeepsOnEnter) {
  QtDialogs dialogs(QStringLiteral("/nonexistent/dialog.ico"));
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape}) {
    WhenShown([key](MessageBox* b) {
      EXPECT_TRUE(b->Button(1)->isDefault());
      QTest::keyClick(b->focusWidget(), key);
    });
    EXPECT_EQ(dialogs.AskTwoChoices(QStringLiteral("読み取り専用のファイルです。上書きしますか？"),
                                    QStringLiteral("上書きする"), QStringLiteral("やめる")),
              Dialogs::Answer::Second)
        << key;
  }
  // Closing with changes: Enter saves them.
  WhenShown([](MessageBox* b) { QTest::keyClick(b, Qt::Key_Return); });
  EXPECT_EQ(dialogs.AskThreeChoices(QStringLiteral("保存しますか？"), QStringLiteral("保存する"),
                                    QStringLiteral("保存しない"), QStringLiteral("戻る")),
            Dialogs::Answer::First);
}

TEST(MessageBox, SingleButtonClosesOnEscapeAndUsesTheHandCursor) {
  MessageBox box(QStringLiteral("保存しました"), {QStringLiteral("確認")}, QPixmap());
  EXPECT_EQ(box.Button(0)->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(box.windowTitle(), QStringLiteral("ワード・クイルマーク"));
  WhenShown([](MessageBox* b) { QTest::keyClick(b, Qt::Key_Escape); });
  EXPECT_EQ(box.Ask(), Dialogs::Answer::First);
}

TEST(MessageBox, ShowsEvenWhenTheIconCannotBeRead) {
  QtDialogs dialogs(QStringLiteral("/nonexistent/dialog.ico"));
  bool hadIcon = true;
  WhenShown([&](MessageBox* b) {
    hadIcon = b->findChild<QLabel*>(QStringLiteral("icon")) != nullptr;
    EXPECT_EQ(b->findChild<QLabel*>(QStringLiteral("text"))->text(), QStringLiteral("a\nb"));
    b->Button(0)->click();
  });
  EXPECT_EQ(dialogs.ShowInfoBox(QStringLiteral("a\r\nb"), QStringLiteral("確認")),
            Dialogs::Answer::First);
  EXPECT_FALSE(hadIcon);
}

TEST(MessageListBox, ShowsEveryItemAndClosesWithOkEnterOrEscape) {
  QStringList items;
  for (int i = 0; i < 500; ++i) {
    items << QStringLiteral("file%1.doc: 未対応ファイルです").arg(i);
  }
  auto showAndClose = [&](const std::function<void(MessageListBox&)>& close) {
    MessageListBox box(QStringLiteral("読み取れなかったファイルが 500 件あります。"), items);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("ワード・クイルマーク"));
    EXPECT_EQ(box.Text(), QStringLiteral("読み取れなかったファイルが 500 件あります。"));
    EXPECT_EQ(box.Items().split('\n'), items);
    QTimer::singleShot(0, &box, [&box, &close] { close(box); });
    box.exec();
    EXPECT_FALSE(box.isVisible());
    // However long the list, the box fits on a screen; the list scrolls.
    EXPECT_LT(box.height(), 700);
  };
  showAndClose([](MessageListBox& box) { box.OkButton()->click(); });
  showAndClose([](MessageListBox& box) { QTest::keyClick(&box, Qt::Key_Return); });
  showAndClose([](MessageListBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
}

}  // namespace
}  // namespace widgets

#pragma once

#include "model/feed_rate_table.h"

#include <QWidget>

class QColorDialog;
class QLabel;
class QLineEdit;
class QPushButton;

namespace korvix::ui {

class NumericFieldGuard;

// The "Modify Feed Rates" page of the Modify dialogs: one entry of a feed rate table at a
// time, its old and new feed and its colour, "&Previous" / "&Next" to step and "&Change
// color". The new feed is stored into the table when the user leaves its field.
class FeedRatePage : public QWidget {
public:
    FeedRatePage(FeedRateTable& table, NumericFieldGuard& guard, QColorDialog& colorDialog);

    // FormActivate: the first entry becomes current and is shown.
    void activate();
    // The new feed as typed, stored before anything shows another entry or closes the
    // dialog: a key (Enter, an access key) reaches a button without leaving the field. False,
    // with the problem shown and the focus back in the field, when it cannot be stored.
    bool storeTypedFeed();

private:
    void showFeedEntry();
    void PreviousButtonClick();
    void NextButtonClick();
    void ChangeColorButtonClick();

    FeedRateTable& m_table;
    NumericFieldGuard& m_guard;
    QColorDialog& m_colorDialog;
    QLineEdit* m_oldFeed = nullptr;
    QLineEdit* m_newFeed = nullptr;
    QLabel* m_feedColor = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
};

} // namespace korvix::ui

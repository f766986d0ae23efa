#pragma once

#include "LanguagesMgrCls.h"
#include "Scenario.h"
#include "SiteChoice.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;
class TMessagePresenter;

// Where the site manager describes the site as it is: whether the existing
// road is warm from the two days before, and up to three lifts after the
// frame's layer, each a delay after the previous one or at a time on the
// clock. An edit the lifts' check refuses is told through the presenter and
// undone: the choice stays the last one taken. Borrows the presenter.
class TSitePanel : public QWidget {
    Q_OBJECT

public:
    TSitePanel(TMessagePresenter& presenter, TLanguage language, QWidget* parent = nullptr);
    ~TSitePanel() override;

    const TSiteChoice& Choice() const { return FChoice; }
    // Takes the choice when the frame's laying takes its lifts; else tells
    // why through the presenter, keeps the last and returns false.
    bool SetChoice(const TSiteChoice& choice);
    // The frame's layer, the first lift, and the laying clock times are read on.
    void SetLaying(const TScenario& scenario);
    // The existing road at the laying of the run on view, as a text.
    void ShowRoad(const QString& text);
    void UpdateTexts(TLanguage language);

    // What the buttons do: a lift after the last, like it but an hour later;
    // the selected lift removed, the last without a selection.
    void AddLift();
    void RemoveLift();

    QCheckBox* WarmthBox() const { return FWarmth; }
    QTableWidget* LiftsTable() const { return FLifts; }
    QLabel* RoadLabel() const { return FRoad; }
    QPushButton* AddButton() const { return FAdd; }
    QPushButton* RemoveButton() const { return FRemove; }

signals:
    void siteChanged();

private:
    void BuildTable();
    void ShowChoice();
    void ShowFirstLift();
    void Edited();
    TSiteChoice ReadTable() const;

    TMessagePresenter& FPresenter;
    TLanguage FLanguage;
    TScenario FLaying;
    TSiteChoice FChoice;

    QGroupBox* FRoadBox;
    QCheckBox* FWarmth;
    QLabel* FRoad;
    QGroupBox* FLiftsBox;
    QTableWidget* FLifts;
    QPushButton* FAdd;
    QPushButton* FRemove;
    QLabel* FLiftsNote;
};

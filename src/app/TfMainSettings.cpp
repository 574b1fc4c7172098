// The settings page: the settings database and SetManifest.ini, Change and Save.
#include "ListItems.h"
#include "TfMain.h"
#include "automation/UnattendedCycle.h"
#include "common/Error.h"
#include "settings/IniValues.h"
#include "settings/MappingLists.h"
#include "settings/NormalisedAddress.h"
#include "settings/SettingsDatabase.h"
#include "settings/SettingsFiles.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace norvan::app {

QString TfMain::databasePath() const {
    return appPath_ + QString::fromLatin1(settings::kDatabaseFileName);
}

QString TfMain::iniPath() const {
    return appPath_ + QString::fromLatin1(settings::kIniFileName);
}

settings::SettingsDatabase& TfMain::openSettingsDatabase() const {
    if (!settingsDatabase_)
        throw Error(QStringLiteral("The settings database %1 is not open").arg(databasePath()));
    return *settingsDatabase_;
}

void TfMain::InitializeDatabase() {
    settingsDatabase_ = std::make_unique<settings::SettingsDatabase>(databasePath());
    LoadSettingFromDB();
}

void TfMain::LoadSettingFromDB() {
    const std::optional<settings::SettingsRow> row = openSettingsDatabase().firstRow();
    if (!row) return;  // no row before the first Save: boxes stay empty, the cycle unarmed

    edtTokenURL->setText(row->tokenUrl);
    edtEComURL->setText(row->ecomUrl);
    edtUser->setText(row->siteUser);
    edtPassword->setText(row->sitePass);
    edtProductRes->setText(row->prodRes);
    edtOrderRes->setText(row->orderRes);
    edtTitleWebItem->setText(row->itemTitle);

    const settings::MappingLists mapping = settings::mappingListsFromRow(*row);
    lstWooProduct->addItems(mapping.wooProduct);
    lstHeadToDexar->addItems(mapping.headToDexar);
    lstItemToDexar->addItems(mapping.itemToDexar);

    edtStatusAz->setText(row->statusAz);
    edtStatusTo->setText(row->statusTo);
    chbAutomat->setChecked(row->automatic);
    chbConKey->setChecked(row->consKey);

    const settings::IniValues ini = settings::loadIniValues(iniPath());
    edtSleepInterval->setText(ini.sleep);
    edtTimerInterval->setText(ini.interval);
    edtTranCod->setText(ini.dexarCod);
    chbBatch->setChecked(ini.batch);

    SetAutomaticWork();
}

void TfMain::enterSettingsViewingState() {
    gbRestSetting->setEnabled(false);
    btnSaveSetting->setEnabled(false);
    btnChangeSetting->setEnabled(true);
}

void TfMain::enterSettingsEditingState() {
    btnChangeSetting->setEnabled(false);
    btnSaveSetting->setEnabled(true);
    gbRestSetting->setEnabled(true);
}

void TfMain::btnChangeSettingClick() {
    openSettingsDatabase();
    enterSettingsEditingState();
    // The cycle stays off while the operator edits; Save arms it again.
    cycle_->stop();
    lWarning->hide();
}

void TfMain::btnSaveSettingClick() {
    for (QLineEdit* address : {edtTokenURL, edtEComURL, edtProductRes, edtOrderRes})
        address->setText(settings::normalisedAddress(address->text()));

    settings::SettingsRow row;
    row.tokenUrl = edtTokenURL->text();
    row.ecomUrl = edtEComURL->text();
    row.siteUser = edtUser->text();
    row.sitePass = edtPassword->text();
    row.prodRes = edtProductRes->text();
    row.orderRes = edtOrderRes->text();
    row.itemTitle = edtTitleWebItem->text();
    row.automatic = chbAutomat->isChecked();
    row.statusAz = edtStatusAz->text();
    row.statusTo = edtStatusTo->text();
    row.consKey = chbConKey->isChecked();
    openSettingsDatabase().saveSettings(row);

    enterSettingsViewingState();
    settings::saveIniValues(iniPath(), {.sleep = edtSleepInterval->text(),
                                        .interval = edtTimerInterval->text(),
                                        .dexarCod = edtTranCod->text(),
                                        .batch = chbBatch->isChecked()});
    SetAutomaticWork();
}

void TfMain::Button1Click() {
    // The plain state is edtToken's, which masks nothing.
    edtPassword->setEchoMode(edtPassword->echoMode() == QLineEdit::Password ? edtToken->echoMode()
                                                                            : QLineEdit::Password);
}

void TfMain::SetAutomaticWork() {
    // The box holds Sleep as loaded from the file, or as Save has just written it there.
    const QString origin = QStringLiteral("%1 in %2")
                               .arg(QString::fromLatin1(settings::kIniSleepKey),
                                    QString::fromLatin1(settings::kIniFileName));
    edtSleepInterval->setText(cycle_->setPeriod(edtSleepInterval->text(), origin));
    tCheckTimeTimer();
    lWarning->setVisible(chbAutomat->isChecked());
}

}  // namespace norvan::app

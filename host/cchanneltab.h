#pragma once

#include <QWidget>

class CChannelSettingsPlugin;
class CChannelSettingsWidget;
class CChannelUsedDevices;
class Ui_CChannelTab;

// The plug-in's channel page inside the host's window, with the switch for
// the extended settings and the button that writes what the page saves.
class CChannelTab : public QWidget
{
    Q_OBJECT
public:
    CChannelTab(const CChannelSettingsPlugin *plugin, CChannelUsedDevices *usedDevices);
    ~CChannelTab() override;

    QString load();
    CChannelSettingsWidget *page() const;

signals:
    // The page's record was written as the whole content of the file.
    void saved(const QString &filePath, const QByteArray &data);

private slots:
    void on_chbxExtended_toggled(bool checked);
    void on_pbnApply_clicked();

private:
    Ui_CChannelTab *ui;
    CChannelSettingsWidget *channelPage;
};

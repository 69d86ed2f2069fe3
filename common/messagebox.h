#pragma once

#include "comchannel_export.h"

#include <QMessageBox>

// Modal message boxes whose standard buttons carry Russian texts.
class COMCHANNEL_EXPORT MessageBox
{
public:
    static QMessageBox::StandardButton messageBox(QMessageBox::Icon icon, QWidget *parent, QString const &title,
                                                  QString const &text,
                                                  QFlags<QMessageBox::StandardButton> buttons = QMessageBox::Ok,
                                                  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton critical(QWidget *parent, QString const &title, QString const &text,
                                                QFlags<QMessageBox::StandardButton> buttons = QMessageBox::Ok,
                                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton information(QWidget *parent, QString const &title, QString const &text,
                                                   QFlags<QMessageBox::StandardButton> buttons = QMessageBox::Ok,
                                                   QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton question(QWidget *parent, QString const &title, QString const &text,
                                                QFlags<QMessageBox::StandardButton> buttons = QMessageBox::Yes | QMessageBox::No,
                                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton warning(QWidget *parent, QString const &title, QString const &text,
                                               QFlags<QMessageBox::StandardButton> buttons = QMessageBox::Ok,
                                               QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton warning(QWidget *parent, QString const &text,
                                               QFlags<QMessageBox::StandardButton> buttons = QMessageBox::Ok,
                                               QMessageBox::StandardButton defaultButton = QMessageBox::NoButton);
    static QMessageBox::StandardButton confirmation(QWidget *parent, QString const &text,
                                                    QFlags<QMessageBox::StandardButton> buttons = QMessageBox::Yes | QMessageBox::No,
                                                    QMessageBox::StandardButton defaultButton = QMessageBox::Yes);
};

#pragma once

#include <QList>
#include <QString>

// A key of the library's internal settings file (settings.ini) as its
// settings store reads it: a switch, or an integer with an accepted range.
struct SettingsKey {
    QString key;
    bool isSwitch;
    int defaultValue; // a switch: 1 on, 0 off
    int minimum;
    int maximum;
    bool permissions; // permission flags, easier read in hexadecimal
};

const QList<SettingsKey> &settingsKeys();

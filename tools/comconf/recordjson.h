#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QStringList>

struct ChannelComSettings;
struct AbonentComSettings;

// The records as JSON objects with a "kind" of "channel" or "abonent"; a null
// string becomes JSON null, so that null and empty survive the round trip.
QJsonObject channelToJson(const ChannelComSettings &channel);
QJsonObject abonentToJson(const AbonentComSettings &abonent);

// The record that a JSON document describes. On any problem the result is
// empty and *errors holds one message per problem, naming the field.
QByteArray recordFromJson(const QByteArray &json, QStringList *errors);

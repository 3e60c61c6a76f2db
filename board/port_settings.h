#pragma once
// The per-user settings store of the program: the chosen port ("frmMain/cboComm") and the
// device of each COM entry ("ports/COM3"). The window and the command line hold one; the tests
// an in-memory one.

#include <QString>
#include <QStringList>
#include <QVariant>

#include <map>
#include <optional>

// Empty `reason`: the value is stored.
struct SettingsWrite {
    QString reason;
    bool Stored() const { return reason.isEmpty(); }
};

class PortSettings {
public:
    virtual ~PortSettings() = default;

    // The value at "section/key" as the store reads it (a text, or a list or another type for
    // a value written by hand); nullopt when there is none.
    virtual std::optional<QVariant> Value(const QString& key) const = 0;
    // The values of these keys read in one look at the store (the port list's sixteen
    // tooltips); keys without a value are left out.
    virtual std::map<QString, QVariant> Values(const QStringList& keys) const;

    // Stores `text` at key, or removes the key when `text` is empty. Every other entry of the
    // store stays as it was. On failure nothing changed.
    virtual SettingsWrite Write(const QString& key, const QString& text) = 0;

    // Where the store is, for messages: its file.
    virtual QString Location() const = 0;
};

// The user's store: the ini file of QSettings for the program. Reading goes through QSettings;
// a write changes the key's one line of the file and replaces the file only when the new text
// is complete, keeping its permissions (QSettings itself would rewrite every line from what it
// understood, turning values it cannot read into others).
class StoredPortSettings final : public PortSettings {
public:
    std::optional<QVariant> Value(const QString& key) const override;
    std::map<QString, QVariant> Values(const QStringList& keys) const override;
    SettingsWrite Write(const QString& key, const QString& text) override;
    QString Location() const override;
};

// Values in memory; `failure` makes every write fail with that reason.
class MemoryPortSettings final : public PortSettings {
public:
    std::optional<QVariant> Value(const QString& key) const override;
    SettingsWrite Write(const QString& key, const QString& text) override;
    QString Location() const override { return QStringLiteral("(memoria)"); }

    std::map<QString, QVariant> values;
    QString failure;
};

// The text of a value that is one text; nullopt with `shown` set to how it reads otherwise
// (a list as "a, b").
std::optional<QString> SettingsText(const QVariant& value, QString* shown = nullptr);

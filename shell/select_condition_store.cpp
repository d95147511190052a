#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <charconv>
#include <optional>
#include <string>

#include "shell/entity_select_filter.h"

// Names are kept byte for byte: Latin-1 maps every byte to one character
// and back, whatever code page the drawing's names are in.
namespace {

constexpr std::size_t kMaxStoredName = 512;
constexpr int kMaxColor = 256;

QString Bytes(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

// A slash or backslash would make the name a path to other conditions.
bool UsableName(std::string_view name) {
  return !name.empty() && name.find('/') == std::string_view::npos && name.find('\\') == std::string_view::npos;
}

QString ConditionGroup(std::string_view name) { return QStringLiteral("SelectConditions/") + Bytes(name); }

std::optional<std::string> StoredName(const QSettings& store, const QString& key) {
  const QVariant value = store.value(key);
  QString text;
  // An unquoted comma in a hand-edited file makes a list of the name.
  if (value.typeId() == QMetaType::QStringList) {
    text = value.toStringList().join(',');
  } else if (value.typeId() == QMetaType::QString) {
    text = value.toString();
  } else {
    return std::nullopt;
  }
  const QByteArray bytes = text.toLatin1();
  if (bytes.isEmpty() || static_cast<std::size_t>(bytes.size()) > kMaxStoredName) return std::nullopt;
  return bytes.toStdString();
}

std::optional<std::int16_t> StoredColor(const QSettings& store, const QString& key) {
  const QVariant value = store.value(key);
  if (!value.isValid()) return std::nullopt;
  const std::string text = value.toString().toStdString();
  int color = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), color);
  if (error != std::errc() || end != text.data() + text.size() || color < 0 || color > kMaxColor) return std::nullopt;
  return static_cast<std::int16_t>(color);
}

void WriteNames(QSettings& store, const QString& subkey, const QString& prefix, const std::vector<std::string>& names) {
  store.beginGroup(subkey);
  for (std::size_t i = 0; i < names.size(); ++i) store.setValue(prefix + QString::number(i), Bytes(names[i]));
  store.endGroup();
}

void ReadNames(QSettings& store, const QString& subkey, const QString& prefix, std::vector<std::string>& names) {
  store.beginGroup(subkey);
  for (int i = 0;; ++i) {
    std::optional<std::string> name = StoredName(store, prefix + QString::number(i));
    if (!name) break;
    names.push_back(std::move(*name));
  }
  store.endGroup();
}

}  // namespace

bool FcEntSelectFilter::SaveToRegistry(QSettings& store, std::string_view name) const {
  if (!UsableName(name)) return false;
  store.beginGroup(ConditionGroup(name));
  store.remove(QString());
  WriteNames(store, QStringLiteral("Types"), QStringLiteral("type"), types_);
  WriteNames(store, QStringLiteral("Layers"), QStringLiteral("layer"), layers_);
  WriteNames(store, QStringLiteral("Linetypes"), QStringLiteral("linetype"), linetypes_);
  store.beginGroup(QStringLiteral("Colors"));
  for (std::size_t i = 0; i < colors_.size(); ++i)
    store.setValue(QStringLiteral("color") + QString::number(i), static_cast<int>(colors_[i]));
  store.endGroup();
  store.endGroup();
  store.sync();
  return store.status() == QSettings::NoError;
}

bool FcEntSelectFilter::LoadFromRegistry(QSettings& store, std::string_view name) {
  Clear();
  if (!UsableName(name)) return false;
  store.beginGroup(ConditionGroup(name));
  ReadNames(store, QStringLiteral("Types"), QStringLiteral("type"), types_);
  ReadNames(store, QStringLiteral("Layers"), QStringLiteral("layer"), layers_);
  ReadNames(store, QStringLiteral("Linetypes"), QStringLiteral("linetype"), linetypes_);
  store.beginGroup(QStringLiteral("Colors"));
  for (int i = 0;; ++i) {
    const std::optional<std::int16_t> color = StoredColor(store, QStringLiteral("color") + QString::number(i));
    if (!color) break;
    colors_.push_back(*color);
  }
  store.endGroup();
  store.endGroup();
  return true;
}

#include "ui/language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>
#include <vector>

#include "core/pstctl.h"

// The translations live in this library's resources; a static library's
// resources are only linked in when something names them.
static void InitTranslationResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(translations);
    return true;
  }();
  (void)done;
}

namespace morna::ui {

namespace {

UiLanguage current = UiLanguage::Japanese;

// The translators now installed; replaced as a whole by UseLanguage.
std::vector<std::unique_ptr<QTranslator>>& Installed() {
  static std::vector<std::unique_ptr<QTranslator>> translators;
  return translators;
}

}  // namespace

UiLanguage LanguageFor(const QStringList& uiLanguages, const std::string& setting) {
  std::vector<std::string> tags;
  for (const QString& tag : uiLanguages) tags.push_back(tag.toStdString());
  return ChooseLanguage(tags, setting);
}

UiLanguage SystemLanguageFor(const std::string& setting) {
  return LanguageFor(QLocale::system().uiLanguages(), setting);
}

std::string LanguageSetting(const std::string& iniPath) {
  Settings s;
  WindowPos pos;
  TPstCtl().LoadSettings(iniPath, s, pos);
  return s.Language;
}

void RemoveTranslators() {
  for (auto& t : Installed()) QCoreApplication::removeTranslator(t.get());
  Installed().clear();
  current = UiLanguage::Japanese;
}

bool UseLanguage(UiLanguage language) {
  RemoveTranslators();
  current = language;
  const QString code = QString::fromLatin1(LanguageCode(language).data());
  bool ownLoaded = true;
  if (language != UiLanguage::Japanese) {
    InitTranslationResources();
    auto own = std::make_unique<QTranslator>();
    ownLoaded = own->load(QStringLiteral(":/i18n/moranote_%1.qm").arg(code));
    if (ownLoaded) Installed().push_back(std::move(own));
  }
  // The toolkit's texts (OK, Cancel, the file and colour dialogs); a system
  // without its translations keeps them in English.
  auto toolkit = std::make_unique<QTranslator>();
  if (toolkit->load(QStringLiteral("qtbase_") + code,
                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    Installed().push_back(std::move(toolkit));
  for (auto& t : Installed()) QCoreApplication::installTranslator(t.get());
  return ownLoaded;
}

UiLanguage CurrentLanguage() { return current; }

QString CoreText(const char* context, const std::string& text) {
  if (text.empty()) return {};
  return QCoreApplication::translate(context, text.c_str());
}

}  // namespace morna::ui

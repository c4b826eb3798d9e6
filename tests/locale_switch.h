// Runs part of a test under another locale of the C library, as a user of
// that country runs the program, and puts the previous one back after.
//   name   a locale as setlocale knows it ("de_DE.UTF-8", "fr_FR.UTF-8", "C")
// Installed() is false when the system lacks the locale (the test then
// skips with GTEST_SKIP; scripts/deps.sh generates the two the suite uses).
// With Qt, QLocale's default follows too, so that a window started meanwhile
// reads that locale's decimal separator and month names.
#pragma once

#include <clocale>
#include <string>

#if __has_include(<QLocale>) && defined(QT_CORE_LIB)
#include <QLocale>
#define ORVEX_LOCALE_SWITCH_QT 1
#endif

namespace orvex::test {

class LocaleSwitch {
  public:
    explicit LocaleSwitch(const char* name) {
        const char* now = std::setlocale(LC_ALL, nullptr);
        saved_ = now ? now : "C";
        installed_ = std::setlocale(LC_ALL, name) != nullptr;
#ifdef ORVEX_LOCALE_SWITCH_QT
        savedQt_ = QLocale();
        if (installed_) QLocale::setDefault(QLocale(QString::fromLatin1(name).section('.', 0, 0)));
#endif
    }
    ~LocaleSwitch() {
        std::setlocale(LC_ALL, saved_.c_str());
#ifdef ORVEX_LOCALE_SWITCH_QT
        QLocale::setDefault(savedQt_);
#endif
    }
    LocaleSwitch(const LocaleSwitch&) = delete;
    LocaleSwitch& operator=(const LocaleSwitch&) = delete;
    bool Installed() const {
        return installed_;
    }

  private:
    std::string saved_;
    bool installed_ = false;
#ifdef ORVEX_LOCALE_SWITCH_QT
    QLocale savedQt_;
#endif
};

// The locales a decimal-comma user runs the program under.
inline constexpr const char* kCommaLocales[] = {"de_DE.UTF-8", "fr_FR.UTF-8"};

}  // namespace orvex::test

#include "app/ui/settings_commands.h"

#include "app/home_folder.h"
#include "app/settings_file.h"
#include "app/ui/screen_text_commands.h"
#include "display/ui/program_text_pane.h"
#include "display/ui/status_window_commands.h"
#include "editing/ui/trim_dialog_box.h"
#include "filters/ui/explode_arc_form.h"
#include "filters/ui/fit_arc_form.h"
#include "filters/ui/sifting_form.h"
#include "input/ui/input_radius_type_form.h"
#include "input/ui/open_command.h"
#include "output/ui/cnc_control_type_dialog.h"
#include "ui/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <functional>
#include <string>

namespace korvix::ui {
namespace {

// One setting's place in the window: how to read it out as the file's text and how to put
// the file's text back.
struct Binding {
    std::string_view section;
    std::string_view key;
    std::function<QString()> get;
    std::function<void(const QString&)> set;
};

QString flag(bool on) {
    return on ? "1" : "0";
}

Binding textField(std::string_view section, std::string_view key, QWidget& dialog,
                  const char* name) {
    QLineEdit* field = dialog.findChild<QLineEdit*>(name);
    return {section, key, [field] { return field->text(); },
            [field](const QString& text) { field->setText(text); }};
}

Binding checkBox(std::string_view section, std::string_view key, QWidget& dialog,
                 const char* name) {
    QAbstractButton* box = dialog.findChild<QAbstractButton*>(name);
    return {section, key, [box] { return flag(box->isChecked()); },
            [box](const QString& text) { box->setChecked(text == "1"); }};
}

Binding menuCheck(std::string_view section, std::string_view key, Tf& window, const char* name) {
    return {section, key, [&window, name] { return flag(window.isChecked(name)); },
            [&window, name](const QString& text) { window.setChecked(name, text == "1"); }};
}

// Colours are stored as the classic integer colour value: red in the low byte.
QString colorValue(const QColor& color) {
    return QString::number(color.red() | color.green() << 8 | color.blue() << 16);
}
QColor colorOf(const QString& value) {
    const unsigned bgr = value.toUInt();
    return QColor(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF));
}

Binding fontPart(std::string_view key, Tf& window, std::function<QString(const QFont&)> get,
                 std::function<void(QFont&, const QString&)> set) {
    return {"Text font", key, [&window, get] { return get(window.textEntry().font()); },
            [&window, set](const QString& text) {
                QFont font = window.textEntry().font();
                set(font, text);
                window.textEntry().setFont(font);
            }};
}

Binding lastColor(std::string_view key, Tf& window, bool wireframe) {
    return {kOwnSection, key,
            [&window, wireframe] { return colorValue(lastOpenColor(window, wireframe)); },
            [&window, wireframe](const QString& text) {
                setLastOpenColor(window, wireframe, colorOf(text));
            }};
}

// The window's place is taken from its normal (not maximized) geometry and applied before it
// is shown; at load the keys are only read back, not applied again.
Binding windowPlace(std::string_view key, Tf& window, std::function<int(const QRect&)> part) {
    return {kOwnSection, key,
            [&window, part] { return QString::number(part(window.normalGeometry())); },
            [](const QString&) {}};
}

// The program text dock: where it is, applied in this order (a side before the width there,
// floating before the floating place).
std::vector<Binding> programTextPane(Tf& window) {
    ProgramTextPane& pane = ProgramTextPane::of(window);
    return {
        {kOwnSection, "Program text side",
         [&window, &pane] {
             return QString::number(window.dockWidgetArea(&pane) == Qt::LeftDockWidgetArea ? 1 : 2);
         },
         [&window, &pane](const QString& text) {
             window.addDockWidget(text == "1" ? Qt::LeftDockWidgetArea : Qt::RightDockWidgetArea,
                                  &pane);
         }},
        {kOwnSection, "Program text floating", [&pane] { return flag(pane.isFloating()); },
         [&pane](const QString& text) { pane.setFloating(text == "1"); }},
        {kOwnSection, "Display program text",
         [&window] { return flag(window.isChecked("DisplayPROGRAMtext1")); },
         [&window, &pane](const QString& text) {
             window.setChecked("DisplayPROGRAMtext1", text == "1");
             pane.setVisible(text == "1");
         }},
        {kOwnSection, "Program text place",
         [&pane] { return QString::fromLatin1(pane.saveGeometry().toBase64()); },
         [&pane](const QString& text) {
             if (pane.isFloating())
                 pane.restoreGeometry(QByteArray::fromBase64(text.toLatin1()));
         }},
        {kOwnSection, "Program text width", [&pane] { return QString::number(pane.width()); },
         [&window, &pane](const QString& text) {
             if (!pane.isFloating() && text.toInt() > 0)
                 window.resizeDocks({&pane}, {text.toInt()}, Qt::Horizontal);
         }},
    };
}

std::vector<Binding> bindings(Tf& window) {
    const auto fontFlag = [&window](std::string_view key, bool (QFont::*get)() const,
                                    void (QFont::*set)(bool)) {
        return fontPart(
            key, window, [get](const QFont& font) { return flag((font.*get)()); },
            [set](QFont& font, const QString& text) { (font.*set)(text == "1"); });
    };
    InputRadiusTypeForm& radiusType = InputRadiusTypeForm::of(window);
    CNCControlTypeDialog& control = CNCControlTypeDialog::of(window);
    std::vector<Binding> all = {
        {"Arc Input Type", "Absolute", [&radiusType] { return flag(radiusType.absoluteCenters()); },
         [&radiusType](const QString& text) { radiusType.setAbsoluteCenters(text == "1"); }},
        {"CNC Control Type", "Machine name", [&control] { return control.machineName(); },
         [&control](const QString& text) { control.setMachineName(text); }},
        {"CNC Control Type", "Program number", [&control] { return control.programNumberText(); },
         [&control](const QString& text) { control.setProgramNumberText(text); }},
        {"CNC Control Type", "Starting text", [&control] { return control.startingText(); },
         [&control](const QString& text) { control.setStartingText(text); }},
        textField("Arc Exploding Tolerance", "Chordal deviation", ExplodeArcForm::of(window),
                  "Edit1"),
        textField("Arc Fitting Parameters", "Chordal tolerance", FitArcForm::of(window),
                  "ChordalTolEdit"),
        textField("Arc Fitting Parameters", "Maximum radius", FitArcForm::of(window),
                  "MaxRadiusEdit"),
        checkBox("Arc Fitting Parameters", "XY plane only", FitArcForm::of(window),
                 "XYPlaneOnlyCheckBox"),
        textField("Point Sifting Tolerance", "Sift tolerance", SiftingForm::of(window),
                  "SiftToleranceEdit"),
        checkBox("Point Sifting Tolerance", "Sift rapid moves", SiftingForm::of(window),
                 "SiftRapidsCheckBox"),
        textField("Trimming Parameters", "Plunge feed rate", TTrimDialogBox::of(window),
                  "PlungeFeedRateEdit"),
        checkBox("Trimming Parameters", "Use G00 for positioning", TTrimDialogBox::of(window),
                 "UseRapidTraverseCheckbox"),
        textField("Trimming Parameters", "Arc exploding tolerance", TTrimDialogBox::of(window),
                  "ArcToleranceEdit"),
        menuCheck("System Global Options", "Display blocks during animation", window,
                  "DisplayBLOCKInfoduringAnimation"),
        menuCheck("System Global Options", "Display points during editting", window,
                  "DisplayPOINTSduringeditting1"),
        menuCheck("System Global Options", "Display NC status window", window,
                  "DisplayNCStatusWindow1"),
        menuCheck("System Global Options", "Display WIRE status window", window,
                  "DisplayWIRESTATUSwindow1"),
        menuCheck("System Global Options", "Display tetrahedran", window, "DisplayTETRAhead1"),
        menuCheck("System Global Options", "Modify colors during animation", window,
                  "ModifyCOLORSduringanimation1"),
        fontPart(
            "Font name", window, [](const QFont& font) { return font.family(); },
            [](QFont& font, const QString& text) { font.setFamily(text); }),
        fontFlag("Font style bold", &QFont::bold, &QFont::setBold),
        fontFlag("Font style italic", &QFont::italic, &QFont::setItalic),
        fontFlag("Font style underline", &QFont::underline, &QFont::setUnderline),
        fontFlag("Font style strikeout", &QFont::strikeOut, &QFont::setStrikeOut),
        fontPart(
            // A font given in pixels has no point size of its own; the screen's one counts.
            "Font size", window,
            [](const QFont& font) { return QString::number(QFontInfo(font).pointSize()); },
            [](QFont& font, const QString& text) {
                if (text.toInt() > 0)
                    font.setPointSize(text.toInt());
            }),
        // Screen texts are always drawn in white.
        {"Text font", "Font color", [] { return colorValue(Qt::white); }, [](const QString&) {}},
        lastColor("Last NC color", window, false),
        lastColor("Last wireframe color", window, true),
        windowPlace("Window left", window, [](const QRect& r) { return r.x(); }),
        windowPlace("Window top", window, [](const QRect& r) { return r.y(); }),
        windowPlace("Window width", window, [](const QRect& r) { return r.width(); }),
        windowPlace("Window height", window, [](const QRect& r) { return r.height(); }),
        {kOwnSection, "Window maximized", [&window] { return flag(window.isMaximized()); },
         [](const QString&) {}},
    };
    all.push_back({kOwnSection, "Read lower-case words",
                   [&window] { return flag(window.workspace().reading.lowerCaseWords); },
                   [&window](const QString& text) {
                       window.workspace().reading.lowerCaseWords = text == "1";
                       window.setChecked("ReadLowerCaseWords1", text == "1");
                   }});
    for (Binding& binding : programTextPane(window))
        all.push_back(std::move(binding));
    return all;
}

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

} // namespace

std::filesystem::path windowSettingsFile() {
    return settingsFilePath(korvixHomeFolder());
}

void restoreWindowGeometry(Tf& window) {
    const LoadedSettings loaded = loadSettings(windowSettingsFile());
    const auto number = [&loaded](const char* key) {
        return loaded.valueOf(kOwnSection, key).value_or("");
    };
    const QRect place(text(number("Window left")).toInt(), text(number("Window top")).toInt(),
                      text(number("Window width")).toInt(), text(number("Window height")).toInt());
    // A place on a screen that is no longer there would hide the window.
    const QScreen* screen = QGuiApplication::screenAt(place.center());
    if (place.width() >= 200 && place.height() >= 150 && screen != nullptr)
        window.setGeometry(place.intersected(screen->availableGeometry()));
    if (number("Window maximized") == "1")
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void loadWindowSettings(Tf& window) {
    const std::filesystem::path file = windowSettingsFile();
    const LoadedSettings loaded = loadSettings(file);
    for (const Binding& binding : bindings(window))
        if (const auto value = loaded.valueOf(binding.section, binding.key))
            binding.set(text(*value));
    QStringList recent;
    for (int i = 0; i < kRecentFileCount; ++i)
        recent.append(text(loaded.valueOf(kOwnSection, recentFileKey(i)).value_or("")));
    window.setRecentFiles(recent);

    if (window.isChecked("DisplayNCStatusWindow1") ||
        window.isChecked("DisplayWIRESTATUSwindow1")) {
        refillStatusListBox(window);
        window.statusListBox().show();
    } else {
        window.statusListBox().hide();
    }
    if (!loaded.readError.empty())
        window.setStatusText(text("Settings file \"" + file.string() + "\" " + loaded.readError +
                                  ", the defaults were used..."));
    else if (!loaded.malformed.empty())
        window.setStatusText(text(malformedSettingsText(file, loaded.malformed)));
}

void saveWindowSettings(Tf& window) {
    std::vector<std::pair<const SettingKey*, std::string>> values;
    for (const Binding& binding : bindings(window))
        if (const SettingKey* setting = findSettingKey(binding.section, binding.key))
            values.emplace_back(setting, binding.get().toStdString());
    const QStringList recent = window.recentFiles();
    for (int i = 0; i < recent.size() && i < kRecentFileCount; ++i)
        values.emplace_back(findSettingKey(kOwnSection, recentFileKey(i)), recent[i].toStdString());
    // Nothing to tell: the window is going away. A folder that cannot take the file only
    // costs the user their settings, as it always has.
    (void)saveSettings(windowSettingsFile(), values);
}

} // namespace korvix::ui

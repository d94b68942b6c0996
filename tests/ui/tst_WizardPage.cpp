#include "../wizard/ScriptedPlatformServices.h"
#include "ButtonFont.h"
#include "GeneratorWizard.h"
#include "ProjectFileWriter.h"
#include "ProjectKeys.h"
#include "RadioGroupBox.h"
#include "SwatchLabel.h"
#include "WizardController.h"
#include "WizardPage.h"
#include "WizardTexts.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

// Every control of every page, one row per project key: what the control sets reaches its
// key and nothing else, and what a project file holds is what the control shows.
class tst_WizardPage : public QObject
{
    Q_OBJECT
private slots:
    void controlsFollowTheirKeys_data();
    void controlsFollowTheirKeys();
};

namespace {
using Key = ProjectKeys::Key;
using Kind = ProjectKeys::Kind;

void put(const Key& key, ButtonProject& project, const QVariant& value)
{
    switch (key.kind) {
    case Kind::Flag:
        key.ref<bool>(project) = value.toBool();
        break;
    case Kind::Number:
    case Kind::PredefinedIndex:
        key.ref<qint32>(project) = value.toInt();
        break;
    case Kind::Colour:
    case Kind::WebColour:
        key.ref<ColorRef>(project) = value.toUInt();
        break;
    case Kind::Choice:
    case Kind::NamedChoice:
        key.setChoice(project, value.toInt());
        break;
    case Kind::OptionalColour:
        key.ref<std::optional<ColorRef>>(project) =
            value.isValid() ? std::optional<ColorRef>(value.toUInt()) : std::nullopt;
        break;
    case Kind::Text:
    case Kind::FontName:
    case Kind::ImageFileName:
        key.ref<QString>(project) = value.toString();
        break;
    }
}

QVariant get(const Key& key, const ButtonProject& project)
{
    switch (key.kind) {
    case Kind::Flag:
        return key.ref<bool>(project);
    case Kind::Number:
    case Kind::PredefinedIndex:
        return key.ref<qint32>(project);
    case Kind::Colour:
    case Kind::WebColour:
        return key.ref<ColorRef>(project);
    case Kind::Choice:
    case Kind::NamedChoice:
        return key.choice(project);
    case Kind::OptionalColour: {
        const std::optional<ColorRef>& colour = key.ref<std::optional<ColorRef>>(project);
        return colour ? QVariant(*colour) : QVariant();
    }
    default:
        return key.ref<QString>(project);
    }
}

// The control holding a key: the one named after it, but for the values a state's sample
// shows (its font, its background colour) and the size fields.
QString controlName(const Key& key)
{
    static const char* const states[] = {"NormalButton", "SelectedButton", "PressedButton"};
    const QString state = QLatin1String(states[int(key.state) - 1]);
    if (key.name.contains(QLatin1String(".canvas.font.")))
        return "lbl" + state + "PickFontSample";
    if (key.name.endsWith(QLatin1String(".canvas.brush.color")))
        return "lbl" + state + "BackgroundColor";
    if (key.name == QLatin1String("fHeight") || key.name == QLatin1String("fWidth"))
        return "lblNormalButton" + key.name.mid(1);
    return QString(key.name).remove(QLatin1String(".color"));
}

WizardPage* pageOf(QWidget* w)
{
    while (w && !qobject_cast<WizardPage*>(w))
        w = w->parentWidget();
    return static_cast<WizardPage*>(w);
}

QPushButton* buttonNamed(const QWidget* page, const QString& name)
{
    for (QPushButton* b : page->findChildren<QPushButton*>()) {
        if (b->accessibleName() == name)
            return b;
    }
    return nullptr;
}

// What a font sample shows, in terms its style can be compared with.
QString fontShown(const QFont& font, const QColor& color)
{
    return font.toString() + QLatin1Char(' ') + color.name();
}

// Opens the "More options" dialog, lets act work on the control named after the key, and ends
// it.
void withMoreOptions(GeneratorWizard& wizard, const QString& name, bool accept,
                     const std::function<void(QWidget*)>& act)
{
    wizard.controller().showPage(WizardController::Generate);
    QTimer::singleShot(0, &wizard, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        if (QWidget* control = dialog->findChild<QWidget*>(name))
            act(control);
        accept ? dialog->accept() : dialog->reject();
    });
    wizard.page(WizardController::Generate)
        ->findChild<QPushButton*>(QStringLiteral("btnMoreOptions"))
        ->click();
}

// Sets an option's control as a user would, or reads what it shows.
void setOptionControl(QWidget* control, const QVariant& value)
{
    if (auto* box = qobject_cast<QCheckBox*>(control))
        box->setChecked(value.toBool());
    else if (auto* spin = qobject_cast<QSpinBox*>(control))
        spin->setValue(value.toInt());
    else if (auto* list = qobject_cast<QComboBox*>(control))
        list->setCurrentIndex(value.toInt());
    else if (auto* field = qobject_cast<QLineEdit*>(control))
        field->setText(value.isValid() ? Colors::webText(value.toUInt()) : QString());
}
QVariant optionControlValue(QWidget* control)
{
    if (auto* box = qobject_cast<QCheckBox*>(control))
        return box->isChecked();
    if (auto* spin = qobject_cast<QSpinBox*>(control))
        return spin->value();
    if (auto* list = qobject_cast<QComboBox*>(control))
        return list->currentIndex();
    ColorRef colour = 0;
    auto* field = qobject_cast<QLineEdit*>(control);
    return field && Colors::fromWebText(field->text(), &colour) ? QVariant(colour) : QVariant();
}
} // namespace

void tst_WizardPage::controlsFollowTheirKeys_data()
{
    QTest::addColumn<QString>("key");
    for (const Key& key : ProjectKeys::all())
        QTest::newRow(qPrintable(key.name)) << key.name;
    for (const ProjectKeys::Option& option : ProjectKeys::optional())
        QTest::newRow(qPrintable(option.key.name)) << option.key.name;
}

void tst_WizardPage::controlsFollowTheirKeys()
{
    QFETCH(QString, key);
    const Key& k = *ProjectKeys::find(key);
    QTemporaryDir dir;
    ScriptedPlatformServices platform;
    GeneratorWizard wizard(platform);
    WizardController& c = wizard.controller();
    const QList<ProjectKeys::Option>& options = ProjectKeys::optional();
    const bool optional = std::any_of(options.begin(), options.end(),
                                      [&k](const ProjectKeys::Option& o) { return &o.key == &k; });
    QWidget* control = optional ? nullptr : wizard.findChild<QWidget*>(controlName(k));
    QVERIFY2(optional || control, qPrintable(controlName(k)));
    WizardPage* page = control ? pageOf(control) : nullptr;

    // Two values other than each other, the first not the default.
    const QVariant d = get(k, ButtonProject());
    QVariant a, b;
    switch (k.kind) {
    case Kind::Flag:
        a = !d.toBool();
        b = d;
        break;
    case Kind::Choice: {
        const int n =
            int(static_cast<RadioGroupBox*>(control)->findChildren<QRadioButton*>().size());
        a = (d.toInt() + 1) % n;
        b = (d.toInt() + 2) % n;
        break;
    }
    case Kind::NamedChoice:
        a = (d.toInt() + 1) % int(k.names.size());
        b = d;
        break;
    case Kind::OptionalColour:
        a = Colors::rgb(10, 20, 30);
        b = QVariant(); // off
        break;
    case Kind::Number:
        a = d.toInt() + 1;
        b = d.toInt() + 6;
        break;
    case Kind::PredefinedIndex:
        a = 7;
        b = 42;
        break;
    case Kind::Colour:
    case Kind::WebColour:
        a = Colors::rgb(10, 20, 30);
        b = Colors::rgb(200, 100, 50);
        break;
    case Kind::FontName:
        a = QStringLiteral("DejaVu Serif");
        b = QStringLiteral("DejaVu Sans Mono");
        break;
    case Kind::Text:
    case Kind::ImageFileName:
        for (QVariant* v : {&a, &b}) {
            const QString path = dir.filePath(v == &a ? "a" : "b");
            QImage picture(20 + (v == &b), 10, QImage::Format_RGB32);
            picture.fill(Qt::red);
            QVERIFY(k.kind == Kind::Text ? QDir().mkpath(path) : picture.save(path + ".png"));
            *v = k.kind == Kind::Text ? path : path + ".png";
        }
        if (key == QLatin1String("edOutputDirectoryFileNamePrefix")) {
            a = QStringLiteral("nav");
            b = QStringLiteral("top");
        }
        break;
    }

    // The control sets its key; side effects are those of the page's own command.
    for (const QVariant& value : {a, b}) {
        if (page)
            c.showPage(page->index());
        ButtonProject expected = c.project();
        put(k, expected, value);
        ButtonStateStyle& style = expected.style(k.state);
        if (auto* group = qobject_cast<RadioGroupBox*>(control)) {
            group->item(value.toInt())->click();
        } else if (auto* box = qobject_cast<QCheckBox*>(control)) {
            if (box->isChecked() != value.toBool())
                box->click();
        } else if (auto* list = qobject_cast<QComboBox*>(control)) {
            list->setCurrentIndex(value.toInt());
            style.backgroundKind = BackgroundKind::Predefined;
        } else if (auto* field = qobject_cast<QLineEdit*>(control); field && !field->isReadOnly()) {
            field->setText(value.toString());
        } else if (k.kind == Kind::ImageFileName) {
            platform.openFileAnswers = {value.toString()};
            buttonNamed(page, QStringLiteral("Select your own background image..."))->click();
            style.backgroundKind = BackgroundKind::OwnImage;
        } else if (key.endsWith(QLatin1String("brush.color"))) {
            platform.colorAnswers = {value.toUInt()};
            buttonNamed(page, QStringLiteral("Select Color..."))->click();
        } else if (key.endsWith(QLatin1String("DropShadowColor.color"))) {
            style.dropShadow = true;
            c.styles().set(k.state, &ButtonStateStyle::dropShadow, true);
            platform.colorAnswers = {value.toUInt()};
            buttonNamed(page, QStringLiteral("Shadow Color..."))->click();
        } else if (key.contains(QLatin1String(".font."))) {
            platform.fontAnswers = {style};
            buttonNamed(page, QStringLiteral("Select Font..."))->click();
        } else if (k.kind == Kind::Number && !optional) {
            const QString caption = key == QLatin1String("fHeight") ? "Height" : "Width";
            for (int n = get(k, c.project()).toInt(); n < value.toInt(); ++n)
                buttonNamed(page, caption + " +1")->click();
        } else {
            withMoreOptions(wizard, key, true,
                            [&](QWidget* control) { setOptionControl(control, value); });
        }
        QCOMPARE(ProjectFileWriter::toBytes(c.project()), ProjectFileWriter::toBytes(expected));
    }

    // A project read shows its value on the control, whatever it showed before.
    for (const QVariant& value : {a, b}) {
        ButtonProject file;
        file.captions = {QStringLiteral("Home")};
        put(k, file, value);
        const QString path = dir.filePath(QStringLiteral("project.blp"));
        QVERIFY(!ProjectFileWriter::saveProjectFile(file, path).isError());
        platform.openFileAnswers = {path};
        QCOMPARE(c.openProject(), WizardController::OpenResult::Read);
        QVariant shown;
        if (auto* group = qobject_cast<RadioGroupBox*>(control))
            shown = group->selectedIndex();
        else if (auto* box = qobject_cast<QCheckBox*>(control))
            shown = box->isChecked();
        else if (auto* list = qobject_cast<QComboBox*>(control))
            shown = list->currentIndex();
        else if (auto* field = qobject_cast<QLineEdit*>(control))
            shown = field->text();
        else if (auto* swatch = qobject_cast<SwatchLabel*>(control))
            shown = swatch->color();
        else if (key.contains(QLatin1String(".font."))) {
            const ButtonStateStyle& style = file.style(k.state);
            QCOMPARE(fontShown(control->font(), control->palette().color(QPalette::WindowText)),
                     fontShown(ButtonFont::fontFor(style),
                               QColor::fromRgb(Colors::toRgb(style.fontColor))));
            continue;
        } else if (auto* label = qobject_cast<QLabel*>(control))
            shown = label->text().toInt();
        else
            withMoreOptions(wizard, key, false,
                            [&](QWidget* control) { shown = optionControlValue(control); });
        QCOMPARE(shown, value);
    }
}

QTEST_MAIN(tst_WizardPage)
#include "tst_WizardPage.moc"

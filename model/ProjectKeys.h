#pragma once

#include "ButtonProject.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <limits>
#include <optional>
#include <type_traits>
#include <variant>

// The lines of a project file after its captions, in the order they are written: one row
// per key, naming the member it holds and how its value is spelled. The reader, the writer
// and their tests all walk these rows.
class ProjectKeys
{
public:
    enum class Kind
    {
        Flag,            // "T" is true, any other text false
        Number,          // a 32-bit integer, brought into the key's range
        Colour,          // a ColorRef, written as a signed 32-bit integer
        WebColour,       // a ColorRef of red, green and blue, written as "#RRGGBB"
        Choice,          // an enumeration, clamped to NoChoice..its last choice
        PredefinedIndex, // a built-in image 0..99, anything else -1
        Text,            // taken as it is
        FontName,        // an empty name keeps the face; cut to 31 characters
        ImageFileName,   // the state's own picture, loaded on reading
        NamedChoice,     // an enumeration, written as the name of its value (any case on reading)
        OptionalColour,  // "#RRGGBB", or "off" for none
    };

    template <typename T> using ProjectMember = T ButtonProject::*;
    template <typename T> using StyleMember = T ButtonStateStyle::*;
    using Member =
        std::variant<ProjectMember<bool>, ProjectMember<qint32>, ProjectMember<QString>,
                     ProjectMember<ColorRef>, ProjectMember<JavaScriptOption>,
                     ProjectMember<HtmlDirection>, ProjectMember<HtmlTable>,
                     ProjectMember<ImageFileFormat>, ProjectMember<GradientDirection>,
                     StyleMember<bool>, StyleMember<qint32>, StyleMember<ColorRef>,
                     StyleMember<QString>, StyleMember<BackgroundKind>, StyleMember<BorderEffect>,
                     StyleMember<PressEffect>, StyleMember<TextJustification>,
                     StyleMember<TextOrientation>, StyleMember<std::optional<ColorRef>>>;

    struct Key
    {
        QString name;
        ButtonState state; // whose style a style member belongs to; Normal otherwise
        Kind kind;
        Member member;
        // Numbers only; a value read beyond them is brought to the nearer end.
        qint32 minimum = std::numeric_limits<qint32>::min();
        qint32 maximum = std::numeric_limits<qint32>::max();
        // Named choices only: the name of each value, from 0 on.
        QStringList names = {};

        // The member in a project; T must be its type. Choices go through choice().
        template <typename T> T& ref(ButtonProject& project) const
        {
            if constexpr (isMember<ProjectMember<T>>(static_cast<Member*>(nullptr))) {
                if (const auto* m = std::get_if<ProjectMember<T>>(&member))
                    return project.*(*m);
            }
            return project.style(state).*std::get<StyleMember<T>>(member);
        }
        template <typename T> const T& ref(const ButtonProject& project) const
        {
            return ref<T>(const_cast<ButtonProject&>(project));
        }
        // Choices only.
        int choice(const ButtonProject& project) const;
        void setChoice(ButtonProject& project, qint64 value) const;
        // Whether the member holds the same value in both projects, and the copy from one to
        // the other.
        bool sameIn(const ButtonProject& a, const ButtonProject& b) const;
        void copy(const ButtonProject& from, ButtonProject& to) const;
        // The value as the file spells it.
        QString valueText(const ButtonProject& project) const;
        // Named choices: the value a name stands for, without regard to case; -1 for none.
        int choiceNamed(QStringView name) const;
        // Optional colours: whether the text is "#RRGGBB" or "off" (any case), and the colour
        // it stands for.
        static bool optionalColour(QStringView text, std::optional<ColorRef>* colour);
    };

    // A setting beyond the classic output: its key, how the command line sets it for one run,
    // and its box in "More options…". Off by default; the file names it only when it differs
    // from a new project's value.
    struct Option
    {
        Key key;           // Flag, Number, WebColour, NamedChoice or OptionalColour
        QString flag;      // the command line's long option, without dashes
        QString valueName; // the option's value as --help names it; empty for a flag
        QString help;      // lower-case start, no full stop, as --help shows it
        QString label;     // the box's label, with its & mnemonic
        QString note;      // one line under the box
        // Rows that share a flag: the word before "=" in its value that picks this row, as
        // in --gradient Normal=#336699. Empty for a flag of its own.
        QString qualifier = {};
        // The part of "More options…" that holds the box; empty for the first.
        QString group = {};
    };

    static inline const QString versionLine = QStringLiteral("ButtonLayoutFileVersion=400");
    static inline const QString captionKey = QStringLiteral("LabelText");
    static inline const QString flagOn = QStringLiteral("T"); // any other value is off

    // All 61 classic keys in file order.
    static const QList<Key>& all();
    // The options beyond the classic output, written after the classic keys and only when
    // set, so that a project without them keeps its old bytes. Every part of the program that
    // offers them is made from these rows.
    static const QList<Option>& optional();
    // The key matching a name without regard to the case of ASCII letters; nullptr if none.
    // Other characters must match exactly, so no Unicode folding (the Kelvin sign is not "k").
    static const Key* find(QStringView name);
    static bool isCaptionKey(QStringView name);
    // The text with what would end its line early (CR, LF, 0x1A) as spaces.
    static QString lineText(QString text);

private:
    template <typename M, typename... Ms> static constexpr bool isMember(std::variant<Ms...>*)
    {
        return (std::is_same_v<M, Ms> || ...);
    }
};

#pragma once

#include "ButtonProject.h"

#include <QList>
#include <QString>

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
        Number,          // any 32-bit integer
        Colour,          // a ColorRef, written as a signed 32-bit integer
        Choice,          // an enumeration, clamped to NoChoice..its last choice
        PredefinedIndex, // a built-in image 0..99, anything else -1
        Text,            // taken as it is
        FontName,        // an empty name keeps the face; cut to 31 characters
        ImageFileName,   // the state's own picture, loaded on reading
    };

    template <typename T> using ProjectMember = T ButtonProject::*;
    template <typename T> using StyleMember = T ButtonStateStyle::*;
    using Member = std::variant<ProjectMember<bool>, ProjectMember<qint32>, ProjectMember<QString>,
                                ProjectMember<JavaScriptOption>, ProjectMember<HtmlDirection>,
                                ProjectMember<HtmlTable>, ProjectMember<ImageFileFormat>,
                                StyleMember<bool>, StyleMember<qint32>, StyleMember<ColorRef>,
                                StyleMember<QString>, StyleMember<BackgroundKind>,
                                StyleMember<BorderEffect>, StyleMember<PressEffect>,
                                StyleMember<TextJustification>, StyleMember<TextOrientation>>;

    struct Key
    {
        QString name;
        ButtonState state; // whose style a style member belongs to; Normal otherwise
        Kind kind;
        Member member;

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
    };

    static inline const QString versionLine = QStringLiteral("ButtonLayoutFileVersion=400");
    static inline const QString captionKey = QStringLiteral("LabelText");

    // All 61 classic keys in file order.
    static const QList<Key>& all();
    // Keys for the options beyond the classic output, written after the classic ones and
    // only when set, so that a project without them keeps its old bytes.
    static const QList<Key>& optional();
    // The key matching a name without regard to the case of ASCII letters; nullptr if none.
    // Other characters must match exactly, so no Unicode folding (the Kelvin sign is not "k").
    static const Key* find(QStringView name);
    static bool isCaptionKey(QStringView name);

private:
    template <typename M, typename... Ms> static constexpr bool isMember(std::variant<Ms...>*)
    {
        return (std::is_same_v<M, Ms> || ...);
    }
};

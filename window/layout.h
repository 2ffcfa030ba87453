#pragma once

#include "desktop/fonts.h"

#include <QtGlobal>

#include <cstdint>

namespace plenvor::layout {

enum class Role : std::uint8_t {
    Tag,
    SourceWidth,
    SourceHeight,
    ResolutionWidth,
    ResolutionHeight,
    Arrow,
    TargetWidth,
    TargetHeight,
};

struct ControlSpec
{
    Role role;
    qint16 index; // within its control array; 0 for the single fields
    qint32 left;
    qint32 top;
    qint32 width;
    qint32 height;
    const char16_t *text;
};

// The window's controls in tab order, lengths in twips.
inline constexpr ControlSpec kControls[] = {
    {Role::Tag, 0, 4020, 60, 720, 210, u"Ширина:"},
    {Role::SourceWidth, 0, 3960, 360, 1575, 315, u""},
    {Role::Tag, 1, 5640, 60, 660, 210, u"Высота:"},
    {Role::SourceHeight, 0, 5640, 360, 1575, 315, u""},
    {Role::Tag, 2, 180, 480, 720, 210, u"Ширина:"},
    {Role::Tag, 3, 1800, 480, 660, 210, u"Высота:"},
    {Role::ResolutionWidth, 0, 120, 780, 1575, 315, u""},
    {Role::ResolutionHeight, 0, 1800, 780, 1575, 315, u""},
    {Role::Arrow, 0, 3480, 825, 405, 210, u"==>"},
    {Role::TargetWidth, 0, 3960, 780, 1575, 315, u""},
    {Role::TargetHeight, 0, 5640, 780, 1575, 315, u""},
    {Role::Tag, 4, 180, 120, 3045, 210, u"Целевые разрешения (пропорции):"},
};

inline constexpr const char16_t *kCaption = u"Plenvor";
inline constexpr qint32 kClientWidth = 7350;
inline constexpr qint32 kClientHeight = 1215; // with one resolution row

inline const FontSpec kFont{QStringLiteral("Tahoma"), 9, 400};

} // namespace plenvor::layout

#pragma once

// The control words the RTF reader knows, and the Western code page of
// files that are not Cyrillic.

#include <QChar>

#include <string_view>

namespace morlenta::documents::rtf {

enum class Kw {
    Unknown,
    // destinations
    FontTable,
    ColorTable,
    Pict,
    Shp,
    ShpInst,
    ShpPict,
    Sp,
    Sn,
    Sv,
    SkipDest,
    // document
    Ansicpg,
    Deff,
    Deftab,
    PaperW,
    PaperH,
    MargL,
    MargR,
    MargT,
    MargB,
    Landscape,
    Bin,
    U,
    Uc,
    // fonts and colours in their tables
    F,
    Fcharset,
    Fprq,
    Froman,
    Fswiss,
    Fmodern,
    Fscript,
    Fdecor,
    Red,
    Green,
    Blue,
    // character formats
    Plain,
    Fs,
    B,
    I,
    Ul,
    UlNone,
    Strike,
    Cf,
    Cb,
    Highlight,
    V,
    Super,
    Sub,
    NoSuperSub,
    // paragraphs
    Pard,
    Ql,
    Qc,
    Qr,
    Qj,
    Li,
    Ri,
    Fi,
    Sb,
    Sa,
    Sl,
    SlMult,
    Tx,
    InTbl,
    Par,
    Line,
    Tab,
    Page,
    // tables
    Trowd,
    Cellx,
    Cell,
    Row,
    Trql,
    Trqc,
    Trqr,
    Trleft,
    Trgaph,
    Trpaddl,
    Clpadl,
    CellBorder,
    RowBorder,
    ParaBorder,
    BorderStyle,
    BorderNone,
    BorderColor,
    Clmgf,
    Clmrg,
    Clvmgf,
    Clvmrg,
    NestCell,
    NestRow,
    // pictures
    PngBlip,
    JpegBlip,
    OtherBlip,
    PicWGoal,
    PicHGoal,
    PicScaleX,
    PicScaleY,
    ShpLeft,
    ShpTop,
    ShpRight,
    ShpBottom,
    // symbols
    Emdash,
    Endash,
    Bullet,
    Lquote,
    Rquote,
    Ldblquote,
    Rdblquote,
    Emspace,
    Enspace,
};

// Kw::Unknown for a word the reader ignores.
Kw keyword(std::string_view name);

// Windows-1252; it differs from Latin-1 only in 0x80..0x9F.
QChar cp1252ToUnicode(uchar b);

} // namespace morlenta::documents::rtf

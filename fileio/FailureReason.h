#pragma once

#include <QtGlobal>

// Why a layer above the file mechanics failed, where that layer has words of its own for it.
// The reasons sit here, beside ErrorText, because that is the one place that words them, and it
// has to be reachable from every layer. None leaves the words to the Failure's code.
// ErrorText holds a sentence for each, in this order.
enum class FailureReason : quint8
{
    None,

    // The image codecs. The detail is the library's message unless said otherwise.
    PngOpenFile, // a file that cannot be created or opened, in the PNG codec's words
    PngWrite,
    PngRead,
    EmptyPicture,    // a null bitmap handed to a writer
    PictureTooLarge, // detail: the size, "W x H"
    PictureEmpty,    // detail: the size, "W x H"
    JpegWrite,
    JpegRead,
    GifWrite,
    GifRead,
    GifNoImage,
    GifNoColorTable,
    WebPWrite,
    WebPRead,

    // The own-picture loader and the renderer.
    UnknownExtension, // detail: the extension, without its dot
    CannotDecode,
    BitmapInvalid,
    BitmapTooLarge,         // detail: the size, "WxH"
    ButtonNotDrawn,         // detail: the size, "W x H"
    ButtonTooLarge,         // detail: the size, "W x H"
    CaptionTooLong,         // a variable-width button that would pass the largest side
    NormalButtonFailed,     // so the caption's other states have no size
    DoubledPictureTooLarge, // detail: the doubled size, "W x H"

    // The project file and the settings.
    ProjectFileAccess,  // opening, reading or saving a project, in the classic I/O words
    NotAnInteger,       // detail: the value as the file has it
    NotAColour,         // detail: the value as the file has it
    PipeTooLarge,       // a project read from a pipe
    JpegOptionsInvalid, // detail: the stored value's name
    TextOptionsInvalid, // detail: the stored value's name
    SettingsNotSaved,   // detail: the value's name; code, path and errno: why the file failed

    // The generation run.
    InvalidPrefix,      // detail: the prefix, shown quoted
    FolderNotCreated,   // the output folder, in the system's own words for the errno
    SpriteStateMissing, // a state of the sprite's button was not drawn
    SpriteStatesDiffer, // the states of the sprite's button differ in size
    SpriteTooLarge,     // detail: the size, "W x H"
    CaughtException,    // detail: its what(); a run goes on after it, even after bad_alloc
    CodeTooLarge,       // the sample page refused by the code viewer; detail: the limit in MB

    // Any file read.
    NotRegularFile, // a FIFO, socket or device where a file's contents were wanted

    // The generation run, checked before it writes.
    CaptionsShareFile, // path: the file's name; detail: the two captions, a line break between

    // Files refused before they are read.
    SettingsTooLarge, // a settings file past the store's bound
    IsFolder,         // a folder where a file was wanted
    ProjectTooLarge,  // a project file past the reader's bound

    // The project file, for keys written as words.
    NotAChoice, // detail: the value as the file has it

    // The generation run, judged before it starts. The details are fields split by '|'.
    RunOverBudget,        // detail: MB needed|MB allowed|the largest button's size "W x H"
    RunOverBudgetPicture, // the same, with the largest picture's size; path: its file
    FormatLimit,          // detail: format|most pixels a side|the image's size; path: its file
};

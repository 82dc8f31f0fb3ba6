#pragma once
// The texts that came after the numbered tables: messages of the port, the
// wire, files, the acceptance check, the windows' later captions and
// kivo-cli, each in German and English. A text with %1 is completed by the
// caller with arg().

#include <QString>

namespace kivo {

enum class Phrase {
    // The port and reaching the gauge
    PortNoPermission,
    PortBusy,
    PortMissing,
    ConnectHintStart,
    ConnectHintPairing,
    ConnectHintCable,
    NoAnswerAppended,
    WaitingForGauge,
    CancelWait,

    // The ports as the operator sees them listed
    PortKindBluetooth,
    PortKindUsb,
    PortKindSerial,
    PortSerialNumber,

    // What came over the wire
    ReplyTooLong,
    DamagedLineRefused,
    DamagedLinesRefused,
    OnlineHeld,
    OnlineLineRefused,
    OnlineLinesRefused,

    // A download against the count the gauge announced
    ReadingsOnlyArrived,
    ReadingsArrived,
    OneLineDamaged,
    LinesDamaged,
    ReadMemoryAgain,
    ReadingStatus,
    ReadingCancelled,

    // Files
    FileNotWritten,
    FileNotRead,
    FolderNotCreated,
    NoFreeFileName,
    NotARegularFile,
    PathNotFound,
    WorkbookIncomplete,
    ZipNotWritten,

    // Files as the window says it
    FileSaved,
    FileNotSaved,
    FileCouldNotBeRead,
    LinesNotLoaded,
    FirstReadingsLoaded,
    LastLineCut,
    EarlierOnlineFileKept,
    ReportFileName,
    ExportNotOpened,
    PrintingFailed,
    ManualNotFound,
    ManualNotOpened,

    // Settings files
    FileTooLarge,
    UnknownModelCode,
    LineNotStorable,
    LimitNotANumber,

    // The CSV file's heading and the workbook's chart
    CsvDate,
    CsvTime,
    CsvNumber,
    CsvValue,
    CsvUnit,
    ChartReadings,

    // The acceptance check
    JudgedTable,
    JudgedReading,
    JudgedReadings,
    JudgedAbsolute,
    NoReadingsToJudge,
    MixedUnitsNotJudged,
    NotMicrometres,
    MeanAtLeastNominal,
    AllAtLeast80Percent,
    Below100UnderFifth,
    AllAtMostMaximum,
    NinetyPercentAtNominal,
    AllAtLeast90Percent,
    VerdictMet,
    VerdictNotMet,

    // The main window's later menus and buttons
    MenuEvaluation,
    MenuAcceptanceCheck,
    MenuCsvExport,
    AbsoluteValuesOn,
    AbsoluteValuesOff,

    // The acceptance check's window
    AcceptanceTitle,
    RuleLabel,
    NominalLabel,
    MaximumLabel,
    CorrectionLabel,
    CheckButton,
    CopyButton,
    MaximumHint,
    CorrectionHint,
    EnterNominal,

    // The project data's window
    ProjectFieldHint,
    CharacterNotStorable,

    // kivo-cli: a command line that cannot be run
    CliNoModel,
    CliJudgeOneFile,
    CliRule,
    CliNominal,
    CliNotNegative,
    CliPositive,
    CliCount,
    CliConvertUsage,
    CliConvertEnding,
    CliDownloadOnePort,
    CliMemory,
    CliFormat,
    CliFormatNeedsOut,
    CliOnlineOnePort,
    CliOnlineEnding,

    // kivo-cli: files and the gauge
    CliNoReadingsIn,
    CliRowsNotLoaded,
    CliPortNotOpened,
    CliNoAnswerAt,
    CliNoMemory,
    CliOneMemoryOnly,
    CliMemoryEmpty,
    CliCancelled,
    CliMemorySilent,
    CliTransferBroke,
    CliReadingsWritten,
    CliLinkLost,
    CliNoReadingSent,
    CliReadingWritten,
    CliPortEmpty,
    CliNumberRange,
    CliTwoMemoriesNeedOut,
    CliWrongModel,
    CliTooManyReadings,
    CliReadingsRefused,
    CliOnlineHeld,
    CliFewerReadings,
    CliDamagedOnline,
    CliOptionTwice,
    CliOutEmpty,
    CliConvertNoFormat,
    CliStdoutFailed,
    CliMaxIgnored,
    CliSignedIgnored,

    // kivo-cli models: the heading and the fields
    ModelsName,
    ModelsLink,
    ModelsMemories,
    ModelsSign,
    ModelsStatistics,
    ModelsGaugeCodes,
    ModelsSimulator,
    ModelsManual,
    ModelsNoMemory,
    ModelsNumbered,
    ModelsCable,
    ModelsRecord,
    ModelsLine,
    ModelsYes,
    ModelsNo,
    ModelsSigned,
    ModelsSizes,

    // The archive
    ArchiveUnreachable,
    ArchiveLineUnusable,
    ArchiveTodaysProject,
    ArchiveNoAnswer,
    ArchiveRunning,
    ArchiveMenu,
    ArchiveTitle,
    ArchiveSearch,
    ArchiveFrom,
    ArchiveTo,
    ArchiveOpen,
    ArchiveExport,
    ArchiveClose,
    ArchiveId,
    ArchiveGauge,
    ArchiveCount,
    ArchiveMean,
    ArchiveModel,
    ArchiveVersion,
    ArchiveSerial,
    ArchiveInstallation,
    ArchiveProjectDate,
    ArchiveLimits,
    ArchiveMemory1,
    ArchiveMemory2,
    ArchiveFound,
    ArchiveFoundNewest,
    ArchiveCannotOpen,
    ArchiveDeleteQuestion,
    ArchiveNotDeleted,
    ArchiveNotLoaded,
    ArchiveBusy,
    ArchiveNoTable,
    ArchiveExportEnding,
    ArchiveReplace,
    ArchiveExported,
    ArchiveOpened,
    CliArchiveUsage,
    CliArchiveUnreachable,
    CliArchiveNoInspection,
    CliArchiveBadId,
    CliArchiveDate,
    CliArchiveImported,
    CliArchiveKeptBefore,
    CliArchiveNotKept,
    CliArchiveWaits,

    // SSPC-PA 2
    SspcSpotSize,
    SspcShares,
    SspcMinMax,
    SspcSpotRule,
    SspcSpotFails,
    SspcAreaRule,
    SspcAreaFails,
    SspcAreaShort,
    SspcLeftOver,
    // ISO 19840's correction for roughness
    GradeFine,
    GradeMedium,
    GradeCoarse,
    CorrectionByGrade,
    CorrectionMeasured,

    Count // not a phrase: the number of them
};

// The phrase in German or English.
QString phrase(Phrase key, bool german);

} // namespace kivo

// Control ids of the option pages. The numbers stay as they are: tests and scripts find each
// control by its number, on the pages and in the options dialog alike.
#pragma once

namespace senvola::app {

enum ControlId : int {
    // Replay options page.
    idSpeedPanel = 2001,
    idSpeedCaption = 2002,
    idFastLabel = 2003,
    idSlowLabel = 2004,
    idSpeedBar = 2005,
    idSourcePanel = 2006,
    idSourceHeading = 2007,
    idSourceName = 2008,
    idSourceGroup = 2009,
    idBuiltInGames = 2010,
    idOneFile = 2011,
    idRandomFromDirectory = 2012,
    idPauseLabel = 2013,
    idPauseEdit = 2014,
    idPauseUpDown = 2015,
    idSecondsLabel = 2016,
    idReplayHelp = 2017,
    idReplayPromotionPanel = 2018,
    idReplayPromotion = 2019,
    idBrowseFile = 2020,
    idBrowseDirectory = 2021,

    // Graphics page.
    idElementChoice = 2101,
    idColourOrPictureGroup = 2102,
    idChooseColour = 2103,
    idChoosePicture = 2104,
    idPictureName = 2105,
    idPreviewPicture = 2106,
    idPreviewColour = 2107,
    idShowBoardOnly = 2108,
    idShowComments = 2109,
    idGraphicsHelp = 2110,
    idGraphicsPromotionPanel = 2111,
    idGraphicsPromotion = 2112,
    idCommentReadingTime = 2113,
    idShowResultFromStart = 2114,
    idGamePerMonitor = 2115,
    idShowCoordinates = 2116,
    idFlatStones = 2117,

    // Language page.
    idLanguageIntro = 2201,
    idLanguageList = 2202,
    idContactPanel = 2203,
    idContactText = 2204,
    idContactAddress = 2205,
};

}  // namespace senvola::app

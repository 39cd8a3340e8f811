pragma Singleton
import QtQuick
import Farline.Window

// The look of the shell: every colour, and the fonts and sizes shared by the screens. Gradients
// are named by their stops: Top, Middle (or UpperMiddle and LowerMiddle for the glossy ones whose
// two halves meet in a hard edge) and Bottom.
QtObject {
    readonly property string font: "Helvetica"
    // Commands to type, as a terminal shows them.
    readonly property string monoFont: "monospace"

    // Text.
    readonly property color text: "black"
    // On dark or coloured ground: the bars, the keys, the alerts, the section bands.
    readonly property color textOnDark: "white"
    // On a tapped row's blue.
    readonly property color highlightedText: "white"
    readonly property color greyText: "#808080"
    // The chosen row of a choice.
    readonly property color checkedText: "#808080"
    // The values and marks of the rows: the access number, a number's kind, the check mark.
    readonly property color accent: "#385487"
    // A light line under text on the grouped tables' grey-blue, which seems pressed into it.
    readonly property color engravedShadow: "white"
    // Dark lines under the raised texts of the bars and keys, strong to faint.
    readonly property color raisedShadow: "#80000000"
    readonly property color softRaisedShadow: "#60000000"
    readonly property color faintRaisedShadow: "#40000000"

    // The window, the plain tables and the pages.
    readonly property color windowBackground: "black"
    readonly property color plainBackground: "white"
    readonly property color plainSeparator: "#e0e0e0"
    readonly property color pageText: "#202020"
    readonly property color link: "#2a5db0"

    // The grouped tables.
    readonly property color tableBackground: "#d8dee6"
    readonly property color cellBackground: "white"
    readonly property color cellBorder: "#abb1b9"
    readonly property color cellSeparator: "#dcdcdc"
    readonly property color sectionHeader: "#4c566c"
    readonly property color disclosure: "#8c8c8c"

    // A tapped row.
    readonly property color selectionTop: "#058cf5"
    readonly property color selectionBottom: "#0160e6"

    // The section bands of the contacts.
    readonly property color sectionBandTop: "#a5b1c0"
    readonly property color sectionBandBottom: "#b8c2cf"

    // The navigation bars: black translucent, with the shell's tint over them.
    readonly property color barTop: "#5b6068"
    readonly property color barUpperMiddle: "#2a2e34"
    readonly property color barLowerMiddle: "#1a1d21"
    readonly property color barBottom: "#0c0d0f"
    readonly property color tint: Qt.rgba(0.043, 0.373, 0.643, 0.25)
    readonly property color barLine: "#000000"

    // The bars' buttons: plain, done (blue) and pressed.
    readonly property color barButtonBorder: "#1f2226"
    readonly property color barButtonTop: "#6c7178"
    readonly property color barButtonMiddle: "#3b3f45"
    readonly property color barButtonBottom: "#2a2d31"
    readonly property color barButtonDoneTop: "#5c8fe8"
    readonly property color barButtonDoneMiddle: "#2f66d6"
    readonly property color barButtonDoneBottom: "#2556c4"
    readonly property color barButtonPressedTop: "#2a2d31"
    readonly property color barButtonPressedMiddle: "#1c1e21"
    readonly property color barButtonPressedBottom: "#15171a"

    // The tab bar.
    readonly property color tabBarTop: "#3a3a3a"
    readonly property color tabBarUpperMiddle: "#161616"
    readonly property color tabBarLowerMiddle: "#050505"
    readonly property color tabBarBottom: "#000000"
    readonly property color tabSelection: "#ffffff"
    readonly property color tabLabel: "#9a9a9a"
    readonly property color tabLabelSelected: "white"

    // The keypad: the display over the keys, the keys and the call key.
    readonly property color displayTop: "#33373c"
    readonly property color displayBottom: "#141518"
    readonly property color displayRouteText: "#a9b3bf"
    readonly property color padBackground: "#0d0e10"
    readonly property color keyBorder: "#101010"
    readonly property color keyTop: "#5e6166"
    readonly property color keyBottom: "#2b2d30"
    readonly property color keyPressedTop: "#2c7be5"
    readonly property color keyPressedBottom: "#0f4fb0"
    readonly property color keyLetters: "#c8ccd2"
    readonly property color callBorder: "#0b3d12"
    readonly property color callTop: "#62d46f"
    readonly property color callMiddle: "#36b248"
    readonly property color callBottom: "#239434"
    readonly property color callPressedTop: "#2c8a3c"
    readonly property color callPressedMiddle: "#1f7430"
    readonly property color callPressedBottom: "#17601f"

    // The in-call screen: its red "Hang up", and a key or toggle that is on.
    readonly property color hangUpBorder: "#5e0f0b"
    readonly property color hangUpTop: "#ee5a52"
    readonly property color hangUpBottom: "#b81e16"
    readonly property color hangUpPressedTop: "#a3231c"
    readonly property color hangUpPressedBottom: "#7a140e"
    readonly property color toggleOnTop: "#e8eef7"
    readonly property color toggleOnBottom: "#b9c6d8"
    readonly property color textOnLight: "#1a1d21"

    // The access number switcher's two segments.
    readonly property color switcherBorder: "#7b8189"
    readonly property color switcherTop: "#fdfdfd"
    readonly property color switcherBottom: "#d6dae0"
    readonly property color switcherPressedTop: "#5b8fe0"
    readonly property color switcherPressedBottom: "#2d62c5"
    readonly property color switcherArrow: "#3d4450"
    readonly property color switcherArrowDisabled: "#b4b9c0"

    // A favourite's editing controls: the round delete control, the move handle and the
    // button that asks whether to delete.
    readonly property color deleteControl: "#e0332c"
    readonly property color deleteControlBorder: "#9e1d18"
    readonly property color moveHandle: "#a0a4aa"
    readonly property color deleteButtonBorder: "#8e1712"
    readonly property color deleteButtonTop: "#ee6b63"
    readonly property color deleteButtonMiddle: "#d8322a"
    readonly property color deleteButtonBottom: "#c0241d"

    // The search bar over the contacts.
    readonly property color searchBarTop: "#c9d2dc"
    readonly property color searchBarBottom: "#aab6c4"
    readonly property color searchFieldBackground: "white"
    readonly property color searchFieldBorder: "#8d99a6"
    readonly property color placeholderText: "#9aa2ab"
    readonly property color clearButton: "#a9b0b8"

    // The picker wheel: its frame, its drum darkening towards the edges, the selection
    // indicator across the middle.
    readonly property color wheelFrame: "#2b2f36"
    readonly property color wheelDrum: "white"
    readonly property color wheelEdgeShade: Qt.rgba(0.35, 0.37, 0.4, 0.75)
    readonly property color wheelClear: Qt.rgba(1, 1, 1, 0)
    readonly property color wheelIndicatorBorder: "#6d7b93"
    readonly property color wheelIndicatorTop: Qt.rgba(0.75, 0.8, 0.9, 0.45)
    readonly property color wheelIndicatorMiddle: Qt.rgba(0.55, 0.62, 0.78, 0.35)
    readonly property color wheelIndicatorBottom: Qt.rgba(0.45, 0.52, 0.7, 0.45)

    // The activity indicator's spokes.
    readonly property color spinnerSpoke: "#7a7a7a"

    // The alerts over a dimmed window, and their buttons.
    readonly property color alertDim: "#80000000"
    readonly property color alertBorder: "#d0d8e8"
    readonly property color alertTop: "#3c5a94"
    readonly property color alertMiddle: "#1f3a70"
    readonly property color alertBottom: "#142a55"
    readonly property color alertButtonBorder: "#0e1d3c"
    readonly property color alertButtonTop: "#8096c0"
    readonly property color alertButtonUpperMiddle: "#4a6498"
    readonly property color alertButtonLowerMiddle: "#3a5487"
    readonly property color alertButtonBottom: "#314a7c"
    readonly property color alertButtonPressedTop: "#1b2f59"
    readonly property color alertButtonPressedUpperMiddle: "#15264a"
    readonly property color alertButtonPressedLowerMiddle: "#101e3d"
    readonly property color alertButtonPressedBottom: "#0c1830"

    // The action sheets: their buttons, the destructive one red, the cancel one dark.
    readonly property color sheetTop: Qt.rgba(0.25, 0.28, 0.33, 0.92)
    readonly property color sheetBottom: Qt.rgba(0.08, 0.09, 0.11, 0.95)
    readonly property color sheetButtonBorder: "#101214"
    readonly property color sheetButtonTop: "#f4f4f4"
    readonly property color sheetButtonMiddle: "#d9dbde"
    readonly property color sheetButtonBottom: "#c8cbcf"
    readonly property color sheetDestructiveTop: "#f07a72"
    readonly property color sheetDestructiveMiddle: "#d8322a"
    readonly property color sheetDestructiveBottom: "#bb2019"
    readonly property color sheetCancelTop: "#5f646b"
    readonly property color sheetCancelMiddle: "#3a3e44"
    readonly property color sheetCancelBottom: "#2b2e33"

    // Sizes.
    readonly property int barHeight: 44
    readonly property int tabBarHeight: 49
    // The rows of every table and list, and of the picker wheel.
    readonly property int rowHeight: 44
    // From a grouped table's edge to its texts outside the rows.
    readonly property int groupMargin: 20

    // Font sizes: the bars' titles, headings and the names in plain lists; a grouped table's
    // rows; the value beside a row's title; running text; explanations; small print; the tab
    // labels.
    readonly property int titleSize: 20
    readonly property int rowTextSize: 17
    readonly property int valueSize: 16
    readonly property int bodySize: 15
    readonly property int noteSize: 14
    readonly property int smallSize: 12
    readonly property int tabLabelSize: 10

    readonly property int moveMs: Support.animated ? 300 : 0
}

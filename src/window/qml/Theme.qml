pragma Singleton
import QtQuick
import Farline.Window

// The look of the shell: colours, fonts and sizes shared by every screen.
QtObject {
    readonly property string font: "Helvetica"
    readonly property string serifFont: "Times New Roman"

    // The navigation bars: black translucent, with the shell's tint over them.
    readonly property color barTop: "#5b6068"
    readonly property color barBottom: "#0c0d0f"
    readonly property color tint: Qt.rgba(0.043, 0.373, 0.643, 0.25)
    readonly property int barHeight: 44
    readonly property int tabBarHeight: 49

    readonly property color tableBackground: "#d8dee6"
    readonly property color cellBorder: "#abb1b9"
    readonly property color separator: "#dcdcdc"
    readonly property color sectionHeader: "#4c566c"
    readonly property color checkedText: "#808080"
    readonly property color selectionTop: "#058cf5"
    readonly property color selectionBottom: "#0160e6"
    readonly property color greyText: "#808080"
    readonly property color doneBlue: "#2f66d6"

    readonly property int moveMs: Support.animated ? 300 : 0
}

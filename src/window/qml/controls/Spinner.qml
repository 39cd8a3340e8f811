pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// The grey activity indicator: twelve spokes turning while running.
Item {
    id: spinner
    property bool running: false
    implicitWidth: 40
    implicitHeight: 40
    visible: running

    Item {
        id: spokes
        anchors.fill: parent
        Repeater {
            model: 12
            Rectangle {
                id: spoke
                required property int index
                x: spinner.width / 2 - width / 2
                y: 0
                width: spinner.width * 0.09
                height: spinner.height * 0.28
                radius: width / 2
                color: Theme.spinnerSpoke
                opacity: 0.2 + 0.8 * (index / 11)
                transform: Rotation {
                    origin.x: spoke.width / 2
                    origin.y: spinner.height / 2
                    angle: spoke.index * 30
                }
            }
        }
        RotationAnimator on rotation {
            running: spinner.running
            from: 0
            to: 360
            duration: 1000
            loops: Animation.Infinite
        }
    }
}

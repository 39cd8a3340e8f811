'''A ModemManager stand-in for python3-dbusmock: the object manager of ModemManager's D-Bus API
with modems and their SIM cards, as the parameters describe them.

parameters: {"modems": [{"sim": "26001", "network": "26201"}, ...]}
A modem without "sim" has no SIM card (its Sim property is "/"); "network" is the operator code
of the network it is registered on (empty when it is not registered).
'''

import dbus
from dbusmock import mockobject

BUS_NAME = 'org.freedesktop.ModemManager1'
MAIN_OBJ = '/org/freedesktop/ModemManager1'
MAIN_IFACE = 'org.freedesktop.ModemManager1'
SYSTEM_BUS = True
IS_OBJECT_MANAGER = True

MODEM_IFACE = 'org.freedesktop.ModemManager1.Modem'
MODEM_3GPP_IFACE = 'org.freedesktop.ModemManager1.Modem.Modem3gpp'
SIM_IFACE = 'org.freedesktop.ModemManager1.Sim'

MM_MODEM_STATE_REGISTERED = 8
MM_MODEM_STATE_ENABLED = 6
MM_MODEM_3GPP_REGISTRATION_STATE_IDLE = 0
MM_MODEM_3GPP_REGISTRATION_STATE_HOME = 1


def load(mock, parameters):
    mock.AddProperties(MAIN_IFACE, {'Version': '1.20.4'})
    for index, modem in enumerate(parameters.get('modems', [])):
        modem_path = f'{MAIN_OBJ}/Modem/{index}'
        sim_path = '/'
        if 'sim' in modem:
            sim_path = f'{MAIN_OBJ}/SIM/{index}'
            mock.AddObject(sim_path, SIM_IFACE, {
                'Active': True,
                'SimIdentifier': f'8948{index:015d}',
                'Imsi': modem['sim'] + f'{index:010d}',
                'OperatorIdentifier': modem['sim'],
                'OperatorName': '',
            }, [])
        network = modem.get('network', '')
        mock.AddObject(modem_path, MODEM_IFACE, {
            'Sim': dbus.ObjectPath(sim_path),
            'SimSlots': dbus.Array([dbus.ObjectPath(sim_path)], signature='o'),
            'PrimarySimSlot': dbus.UInt32(1),
            'State': dbus.Int32(MM_MODEM_STATE_REGISTERED if network else MM_MODEM_STATE_ENABLED),
            'Manufacturer': 'Farline tests',
            'Model': 'Stand-in modem',
            'EquipmentIdentifier': f'35{index:013d}',
        }, [])
        mockobject.objects[modem_path].AddProperties(MODEM_3GPP_IFACE, {
            'Imei': f'35{index:013d}',
            'OperatorCode': network,
            'OperatorName': '',
            'RegistrationState': dbus.UInt32(MM_MODEM_3GPP_REGISTRATION_STATE_HOME if network
                                             else MM_MODEM_3GPP_REGISTRATION_STATE_IDLE),
        })

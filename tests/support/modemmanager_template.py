'''A ModemManager stand-in for python3-dbusmock: the object manager of ModemManager's D-Bus API
with modems, their SIM cards and their voice calls, as the parameters describe them, and on the
same bus, when asked for, callaudiod and the name of a dialer of the system.

parameters: {"modems": [{"sim": "26001", "network": "26201", "voice": true}, ...],
             "calls": {"progress": [[1, 1], [2, 0], [4, 3]], "hangup_after_tones": 3,
                       "refuse": true, "started_by_dialer": true},
             "callaudiod": true, "dialer": "org.gnome.Calls"}
A modem without "sim" has no SIM card (its Sim property is "/"); "network" is the operator code
of the network it is registered on (empty when it is not registered); "voice": false leaves out
the voice interface. Each call started goes through the [state, reason] pairs of "progress" (by
default dialing, ringing, active), the first at once, then one every 20 ms; a test moves it
further with SetCallState. The far end hangs up after "hangup_after_tones" tones. "refuse" makes
CreateCall fail as polkit refuses it; with "started_by_dialer" each new call is started by the
stand-in, as GNOME Calls does. Calls behave as ModemManager 1.20's: SendDtmf sends only the first
character and fails unless the call is active.
Events() lists what happened, "SECONDS WHAT" each: CreateCall NUMBER, Start, State N, SendDtmf C,
Hangup, DeleteCall, and callaudiod's SelectMode N, EnableSpeaker N and MuteMic N.
'''

import time

import dbus
import dbus.service
from dbusmock import mockobject
from gi.repository import GLib

BUS_NAME = 'org.freedesktop.ModemManager1'
MAIN_OBJ = '/org/freedesktop/ModemManager1'
MAIN_IFACE = 'org.freedesktop.ModemManager1'
SYSTEM_BUS = True
IS_OBJECT_MANAGER = True

MODEM_IFACE = 'org.freedesktop.ModemManager1.Modem'
MODEM_3GPP_IFACE = 'org.freedesktop.ModemManager1.Modem.Modem3gpp'
VOICE_IFACE = 'org.freedesktop.ModemManager1.Modem.Voice'
CALL_IFACE = 'org.freedesktop.ModemManager1.Call'
SIM_IFACE = 'org.freedesktop.ModemManager1.Sim'
CALLAUDIO = 'org.mobian_project.CallAudio'
STAND_IN_IFACE = 'org.farline.StandIn'
ERROR = 'org.freedesktop.ModemManager1.Error.Core.'

MM_MODEM_STATE_REGISTERED = 8
MM_MODEM_STATE_ENABLED = 6
MM_MODEM_3GPP_REGISTRATION_STATE_IDLE = 0
MM_MODEM_3GPP_REGISTRATION_STATE_HOME = 1
MM_CALL_STATE_ACTIVE = 4
MM_CALL_STATE_TERMINATED = 7
MM_CALL_STATE_REASON_TERMINATED = 4
MM_CALL_DIRECTION_OUTGOING = 2

events = []
calls = []  # the calls' objects, the newest last
settings = {}
held_names = []


def log(what):
    events.append(f'{time.time():.6f} {what}')


def later(action, ms=0):
    GLib.timeout_add(ms, lambda: action() and False)


def set_state(call, state, reason):
    old, call.state = call.state, state
    call.UpdateProperties(CALL_IFACE, {'State': dbus.Int32(state), 'StateReason': dbus.Int32(reason)})
    call.EmitSignal(CALL_IFACE, 'StateChanged', 'iiu', [dbus.Int32(old), dbus.Int32(state), dbus.UInt32(reason)])
    log(f'State {state}')


def begin(call):
    call.started = True
    steps = [list(step) for step in settings.get('progress', [[1, 1], [2, 0], [4, 3]])]

    def step():
        if steps and call.state != MM_CALL_STATE_TERMINATED:
            set_state(call, *steps.pop(0))
            later(step, 20)
    step()


def start(call):
    log('Start')
    if call.started:
        raise dbus.exceptions.DBusException('This call was not in unknown state, cannot start', name=ERROR + 'WrongState')
    begin(call)


def hangup(call):
    log('Hangup')
    if call.state == MM_CALL_STATE_TERMINATED:
        raise dbus.exceptions.DBusException('This call was already terminated', name=ERROR + 'WrongState')
    set_state(call, MM_CALL_STATE_TERMINATED, MM_CALL_STATE_REASON_TERMINATED)


def send_dtmf(call, dtmf):
    if call.state != MM_CALL_STATE_ACTIVE:
        log(f'SendDtmf {dtmf} refused')
        raise dbus.exceptions.DBusException('Cannot send DTMF: call is not active', name=ERROR + 'WrongState')
    log(f'SendDtmf {dtmf[:1]}')  # the rest is lost, as ModemManager before 1.26 loses it
    call.tones += 1
    if settings.get('hangup_after_tones') == call.tones:  # before the answer: no tone is on its way
        set_state(call, MM_CALL_STATE_TERMINATED, MM_CALL_STATE_REASON_TERMINATED)


def create_call(modem, properties):
    number = str(properties.get('number', ''))
    log(f'CreateCall {number}')
    if settings.get('refuse'):
        raise dbus.exceptions.DBusException(
            "PolicyKit authorization failed: not authorized for 'org.freedesktop.ModemManager1.Voice'",
            name=ERROR + 'Unauthorized')
    path = f'{MAIN_OBJ}/Call/{len(calls)}'
    modem.AddObject(path, CALL_IFACE, {
        'State': dbus.Int32(0),
        'StateReason': dbus.Int32(0),
        'Direction': dbus.Int32(MM_CALL_DIRECTION_OUTGOING),
        'Number': number,
        'Multiparty': False,
    }, [
        ('Start', '', '', start),
        ('Hangup', '', '', hangup),
        ('SendDtmf', 's', '', send_dtmf),
    ])
    call = mockobject.objects[path]
    call.state, call.started, call.tones = 0, False, 0
    calls.append(call)
    modem.EmitSignal(VOICE_IFACE, 'CallAdded', 'o', [dbus.ObjectPath(path)])
    if settings.get('started_by_dialer'):
        later(lambda: begin(call))
    return dbus.ObjectPath(path)


def delete_call(_modem, path):
    log('DeleteCall')
    mockobject.objects[MAIN_OBJ].RemoveObject(path)


@dbus.service.method(STAND_IN_IFACE, in_signature='iu', out_signature='')
def SetCallState(_self, state, reason):
    set_state(calls[-1], state, reason)


@dbus.service.method(STAND_IN_IFACE, in_signature='', out_signature='as')
def Events(_self):
    return dbus.Array(events, signature='s')


def hold(mock, name):
    held_names.append(dbus.service.BusName(name, mock.connection))


def add_call_audio(mock):
    def method(name):
        return lambda _self, value: (log(f'{name} {int(value)}'), True)[1]
    hold(mock, CALLAUDIO)
    mock.AddObject('/org/mobian_project/CallAudio', CALLAUDIO, {
        'AudioMode': dbus.UInt32(0), 'SpeakerState': dbus.UInt32(0), 'MicState': dbus.UInt32(1)
    }, [
        ('SelectMode', 'u', 'b', method('SelectMode')),
        ('EnableSpeaker', 'b', 'b', method('EnableSpeaker')),
        ('MuteMic', 'b', 'b', method('MuteMic')),
    ])


def load(mock, parameters):
    settings.update(parameters.get('calls', {}))
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
        modem_object = mockobject.objects[modem_path]
        modem_object.AddProperties(MODEM_3GPP_IFACE, {
            'Imei': f'35{index:013d}',
            'OperatorCode': network,
            'OperatorName': '',
            'RegistrationState': dbus.UInt32(MM_MODEM_3GPP_REGISTRATION_STATE_HOME if network
                                             else MM_MODEM_3GPP_REGISTRATION_STATE_IDLE),
        })
        if modem.get('voice', True):
            modem_object.AddProperties(VOICE_IFACE, {'Calls': dbus.Array([], signature='o'), 'EmergencyOnly': False})
            modem_object.AddMethods(VOICE_IFACE, [
                ('CreateCall', 'a{sv}', 'o', create_call),
                ('DeleteCall', 'o', '', delete_call),
            ])
    if parameters.get('callaudiod'):
        add_call_audio(mock)
    if parameters.get('dialer'):
        hold(mock, parameters['dialer'])

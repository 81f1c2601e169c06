// The multimedia class's volumes: the master output (the speakers), the wave
// output, the synthesizer and the CD input of the first mixer, each read and
// set through its volume control, with the bounds read once at start.
#include "cMCI_Adv.h"

#include <rt.h>

namespace tunebox {

namespace {

HMIXEROBJ Object(HMIXER mixer) { return reinterpret_cast<HMIXEROBJ>(mixer); }

} // namespace

void cMCI_Adv::OpenMixer() {
    if (mixerOpen(&hMixer, 0, 0, 0, MIXER_OBJECTF_MIXER) != MMSYSERR_NOERROR) {
        hMixer = nullptr;
        rt::MsgBox("An error occured while trying to access the volume mixer.", rt::vbExclamation,
                   "  Error Opening Volume Mixer");
        return;
    }
    struct Line {
        DWORD componentType;
        VolumeControl& control;
        long& min;
        long& max;
    };
    for (Line line : {Line{MIXERLINE_COMPONENTTYPE_DST_SPEAKERS, VolumeCtrlSystem,
                           VolumeSystemMin, VolumeSystemMax},
                      Line{MIXERLINE_COMPONENTTYPE_SRC_WAVEOUT, VolumeCtrlWAVE, VolumeWAVEMin,
                           VolumeWAVEMax},
                      Line{MIXERLINE_COMPONENTTYPE_SRC_SYNTHESIZER, VolumeCtrlMIDI,
                           VolumeMIDIMin, VolumeMIDIMax},
                      Line{MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, VolumeCtrlCD, VolumeCDMin,
                           VolumeCDMax}}) {
        if (GetMixerVolumeControl(hMixer, line.componentType, line.control)) {
            line.min = line.control.Record.Bounds.lMinimum;
            line.max = line.control.Record.Bounds.lMaximum;
        }
    }
}

void cMCI_Adv::CloseMixer() {
    if (hMixer) mixerClose(hMixer);
    hMixer = nullptr;
}

bool cMCI_Adv::GetMixerVolumeControl(HMIXER mixer, DWORD componentType,
                                     VolumeControl& control) {
    MIXERLINEW line{};
    line.cbStruct = sizeof line;
    line.dwComponentType = componentType;
    if (mixerGetLineInfoW(Object(mixer), &line, MIXER_GETLINEINFOF_COMPONENTTYPE) !=
        MMSYSERR_NOERROR)
        return false;
    MIXERCONTROLW found{};
    found.cbStruct = sizeof found;
    MIXERLINECONTROLSW request{};
    request.cbStruct = sizeof request;
    request.dwLineID = line.dwLineID;
    request.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    request.cControls = 1;
    request.cbmxctrl = sizeof found;
    request.pamxctrl = &found;
    if (mixerGetLineControlsW(Object(mixer), &request, MIXER_GETLINECONTROLSF_ONEBYTYPE) !=
        MMSYSERR_NOERROR)
        return false;
    control.Record = found;
    control.Found = true;
    return true;
}

bool cMCI_Adv::GetMixerControlValue(HMIXER mixer, const VolumeControl& control,
                                    long& value) const {
    value = 0;
    MIXERCONTROLDETAILS_UNSIGNED detail{};
    MIXERCONTROLDETAILS request{};
    request.cbStruct = sizeof request;
    request.dwControlID = control.Record.dwControlID;
    request.cChannels = 1; // one value for every channel of the line
    request.cMultipleItems = 0;
    request.cbDetails = sizeof detail;
    request.paDetails = &detail;
    if (mixerGetControlDetailsW(Object(mixer), &request, MIXER_GETCONTROLDETAILSF_VALUE) !=
        MMSYSERR_NOERROR)
        return false;
    value = static_cast<long>(detail.dwValue);
    return true;
}

bool cMCI_Adv::SetMixerControlValue(HMIXER mixer, const VolumeControl& control,
                                    long value) const {
    MIXERCONTROLDETAILS_UNSIGNED detail{};
    detail.dwValue = static_cast<DWORD>(value);
    MIXERCONTROLDETAILS request{};
    request.cbStruct = sizeof request;
    request.dwControlID = control.Record.dwControlID;
    request.cChannels = 1;
    request.cMultipleItems = 0;
    request.cbDetails = sizeof detail;
    request.paDetails = &detail;
    return mixerSetControlDetails(Object(mixer), &request, MIXER_SETCONTROLDETAILSF_VALUE) ==
           MMSYSERR_NOERROR;
}

// A line the mixer lacks has no control of its own: it reads 0 and is never
// written, for its empty record would name control 0, the master volume.
long cMCI_Adv::ReadVolume(const VolumeControl& control) const {
    long value = 0;
    if (!hMixer || !control.Found || !GetMixerControlValue(hMixer, control, value)) return 0;
    return value;
}

void cMCI_Adv::WriteVolume(const VolumeControl& control, long min, long max, long NewValue) {
    long value = NewValue > max ? max : NewValue < min ? min : NewValue;
    if (hMixer && control.Found) SetMixerControlValue(hMixer, control, value);
}

long cMCI_Adv::MCIa_VolumeCD() const { return ReadVolume(VolumeCtrlCD); }
void cMCI_Adv::MCIa_VolumeCD(long NewValue) {
    WriteVolume(VolumeCtrlCD, VolumeCDMin, VolumeCDMax, NewValue);
}
long cMCI_Adv::MCIa_VolumeMIDI() const { return ReadVolume(VolumeCtrlMIDI); }
void cMCI_Adv::MCIa_VolumeMIDI(long NewValue) {
    WriteVolume(VolumeCtrlMIDI, VolumeMIDIMin, VolumeMIDIMax, NewValue);
}
long cMCI_Adv::MCIa_VolumeSystem() const { return ReadVolume(VolumeCtrlSystem); }
void cMCI_Adv::MCIa_VolumeSystem(long NewValue) {
    WriteVolume(VolumeCtrlSystem, VolumeSystemMin, VolumeSystemMax, NewValue);
}
long cMCI_Adv::MCIa_VolumeWAVE() const { return ReadVolume(VolumeCtrlWAVE); }
void cMCI_Adv::MCIa_VolumeWAVE(long NewValue) {
    WriteVolume(VolumeCtrlWAVE, VolumeWAVEMin, VolumeWAVEMax, NewValue);
}

} // namespace tunebox

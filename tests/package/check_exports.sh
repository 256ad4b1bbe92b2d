#!/usr/bin/env bash
# The shared library exports its interface and nothing of its internals.
set -euo pipefail
lib=$1
symbols=$(nm -D --defined-only "$lib" | awk '{print $3}')
status=0
for wanted in Veltrano ILogSystem IStuffDPF IImage ICursor IPrimitives IButton IScreenFX \
              ITimeSystem INetwork IVideo ISoundFX Veltrano_memcpy \
              CPU_haveCPUID CPU_GetString CPU_getCPUIDFamily; do
  grep -qx "$wanted" <<<"$symbols" || { echo "not exported: $wanted"; status=1; }
done
demangled=$(nm -D -C --defined-only "$lib")
for wanted in 'SelectCPUCore(int)' 'Veltrano_Main::Init(unsigned int)' \
              'Veltrano_ILogSystem::Msg(char, char const\*, ...)' \
              'Veltrano_IStuffDPF::Veltrano_IStuffDPF()' \
              'VeltranoTesting::UseManualClock(int)' 'VeltranoTesting::SetClock(unsigned int)' \
              'VeltranoTesting::AdvanceClock(unsigned int)' 'VeltranoTesting::Clock()' \
              'VeltranoTesting::PressKey(SDLKey, SDLMod, unsigned short)' 'VeltranoTesting::ReleaseKey(SDLKey)' \
              'VeltranoTesting::TapKey(SDLKey, SDLMod, unsigned short)' 'VeltranoTesting::MoveMouse(int, int)' \
              'VeltranoTesting::PressMouse(int)' 'VeltranoTesting::ReleaseMouse(int)' \
              'VeltranoTesting::Click(int, int, int)' 'VeltranoTesting::PendingInput()' \
              'VeltranoTesting::ClearInput()'; do
  grep -q "$wanted" <<<"$demangled" || { echo "not exported: $wanted"; status=1; }
done
# Internal modules stay hidden.
for hidden in ComputeCrc32 BuildCrc32Table 'platform::' 'clock_source::' MersenneTwister \
              'display_format::' 'png_decode::' 'pixel_format_record::' \
              'scripted_input::' 'mouse_source::'; do
  if grep -q "$hidden" <<<"$demangled"; then echo "internal symbol exported: $hidden"; status=1; fi
done
exit $status

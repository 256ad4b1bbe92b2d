/// @file
/// The Veltrano SDK: include this one header in a game. It brings in every
/// exported class, the global objects Veltrano and ILogSystem and the
/// interface pointers (IStuffDPF, IImage, ...) that Veltrano.Init creates.
#ifndef VELTRANO_H
#define VELTRANO_H

#include "veltrano_types.h"
#include "veltrano_cpu.h"
#include "Veltrano_Main.h"
#include "Veltrano_ILogSystem.h"
#include "Veltrano_IStuffDPF.h"
#include "Veltrano_IImage.h"
#include "Veltrano_ICursor.h"
#include "Veltrano_CTile.h"
#include "Veltrano_IPrimitives.h"
#include "Veltrano_CFont.h"
#include "Veltrano_CSprite.h"
#include "Veltrano_IButton.h"
#include "Veltrano_IScreenFX.h"
#include "Veltrano_ITimeSystem.h"
#include "Veltrano_INetwork.h"
#include "Veltrano_IVideo.h"
#include "Veltrano_ISoundFX.h"

#endif

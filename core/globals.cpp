// The SDK's global objects. Both static objects live in this one translation
// unit so that their construction order is fixed: the core first, then the
// log (which reads the core's version texts); destruction runs in reverse.
#include "veltrano.h"

VELTRANO_API Veltrano_Main Veltrano;
VELTRANO_API Veltrano_ILogSystem ILogSystem;

VELTRANO_API Veltrano_IStuffDPF* IStuffDPF = nullptr;
VELTRANO_API Veltrano_IImage* IImage = nullptr;
VELTRANO_API Veltrano_ICursor* ICursor = nullptr;
VELTRANO_API Veltrano_IPrimitives* IPrimitives = nullptr;
VELTRANO_API Veltrano_IButton* IButton = nullptr;
VELTRANO_API Veltrano_IScreenFX* IScreenFX = nullptr;
VELTRANO_API Veltrano_ITimeSystem* ITimeSystem = nullptr;
VELTRANO_API Veltrano_INetwork* INetwork = nullptr;
VELTRANO_API Veltrano_IVideo* IVideo = nullptr;
VELTRANO_API Veltrano_ISoundFX* ISoundFX = nullptr;

// A stand-in for the card driver library: every entry point the program looks up, and
// GetNumCards answering the count the test last set. A build may leave GetNumCards out.

static int numCards = 0;

extern "C" {

void StandInSetNumCards(int count) { numCards = count; }

#ifndef STANDIN_WITHOUT_GETNUMCARDS
int GetNumCards() { return numCards; }
#endif

#define STANDIN_ENTRY(name) \
    int name() { return 0; }

STANDIN_ENTRY(QueryCardInfo)
STANDIN_ENTRY(QueryBARBase)
STANDIN_ENTRY(WaitForIRQ)
STANDIN_ENTRY(COSWaitForIRQ)
STANDIN_ENTRY(WDGHandleIRQ)
STANDIN_ENTRY(AbortRequest)
STANDIN_ENTRY(CloseCard)
STANDIN_ENTRY(WDGInit)
STANDIN_ENTRY(WDGSetTimeout)
STANDIN_ENTRY(WDGSetResetDuration)
STANDIN_ENTRY(WDGPet)
STANDIN_ENTRY(WDGReadTemp)
STANDIN_ENTRY(WDGReadStatus)
STANDIN_ENTRY(WDGStart)
STANDIN_ENTRY(WDGStop)
STANDIN_ENTRY(EmergencyReboot)
STANDIN_ENTRY(InPortB)
STANDIN_ENTRY(OutPortB)
STANDIN_ENTRY(InPort)
STANDIN_ENTRY(OutPort)
STANDIN_ENTRY(InPortL)
STANDIN_ENTRY(OutPortL)
STANDIN_ENTRY(InPortDWord)
STANDIN_ENTRY(OutPortDWord)
STANDIN_ENTRY(RelInPortB)
STANDIN_ENTRY(RelOutPortB)
STANDIN_ENTRY(RelInPort)
STANDIN_ENTRY(RelOutPort)
STANDIN_ENTRY(RelInPortL)
STANDIN_ENTRY(RelOutPortL)
STANDIN_ENTRY(RelInPortDWord)
STANDIN_ENTRY(RelOutPortDWord)

} // extern "C"

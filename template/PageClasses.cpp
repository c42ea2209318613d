#include "PageClasses.h"

#include "SetupCtrls/BoardHighlight.h"
#include "SetupCtrls/BoardImage.h"
#include "SetupCtrls/Jumpers.h"
#include "SetupCtrls/RadioPanel.h"
#include "SetupCtrls/SetupSupporter.h"
#include "toolkit/LayoutLoader.h"
#include "toolkit/StandardControls.h"

void registerPageClasses(LayoutLoader& loader)
{
    registerStandardControls(loader);
    loader.registerClass<TTwoJumper>("TTwoJumper");
    loader.registerClass<TThreeJumper>("TThreeJumper");
    loader.registerClass<TRadioPanel>("TRadioPanel");
    loader.registerClass<TBoardImage>("TBoardImage");
    loader.registerClass<TBoardHighlight>("TBoardHighlight");
    loader.registerClass<TSetupSupporter>("TSetupSupporter");
}

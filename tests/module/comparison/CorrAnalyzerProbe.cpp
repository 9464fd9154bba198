#include "tests/module/comparison/CorrAnalyzerProbe.h"

namespace orlo::test {

ORLO_BEGIN_SUBSCRIPTION_MAP(CProbeAnalyzer)
ORLO_INHERIT_SUBSCRIPTIONS(CCorrAnalyzer, CProbeAnalyzer)
ORLO_END_SUBSCRIPTION_MAP()

BEGIN_MESSAGE_MAP(CProbeAnalyzer, COxBaseManager)
ON_MESSAGE(WM_DESTROY, OnClientDestroy)
ON_MESSAGE(WM_DATAITEM, OnDataItem)
END_MESSAGE_MAP()

}  // namespace orlo::test

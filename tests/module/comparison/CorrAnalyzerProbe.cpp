#include "tests/module/comparison/CorrAnalyzerProbe.h"

namespace orlo::test {

ORLO_BEGIN_SUBSCRIPTION_MAP(CProbeAnalyzer)
ORLO_SUBSCRIBE("ORLO_Initialize", 1, CProbeAnalyzer, OnInitializeMessage)
ORLO_SUBSCRIBE("ORLO_UnInitialize", 1, CProbeAnalyzer, OnUnInitializeMessage)
ORLO_SUBSCRIBE("GRAPH_RecalcModels", 0, CProbeAnalyzer, OnRecalcModels)
ORLO_SUBSCRIBE("GRAPH_ApplyModel", 0, CProbeAnalyzer, OnApplyModel)
ORLO_SUBSCRIBE("GRAPH_RemoveModel", 1, CProbeAnalyzer, OnRemoveModel)
ORLO_SUBSCRIBE("GRAPH_VisibleCurveCount", 0, CProbeAnalyzer, OnVisibleCurveCount)
ORLO_SUBSCRIBE("ORLO_CloseFile", 0, CProbeAnalyzer, OnFileChanged)
ORLO_SUBSCRIBE("ORLO_OpenedFile", 0, CProbeAnalyzer, OnFileChanged)
ORLO_SUBSCRIBE("GRAPH_SetSweepColor", 0, CProbeAnalyzer, OnSetSweepColor)
ORLO_END_SUBSCRIPTION_MAP()

BEGIN_MESSAGE_MAP(CProbeAnalyzer, COxBaseManager)
ON_MESSAGE(WM_DESTROY, OnClientDestroy)
ON_MESSAGE(WM_DATAITEM, OnDataItem)
END_MESSAGE_MAP()

}  // namespace orlo::test

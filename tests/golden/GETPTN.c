#include "CstGrp1.H"   
#include "DspPtn1.H"  
int GetClusterData(int CstGrpNum, int CstGrpCount){  
  unsigned int data GetCstDataTemp; 
  switch(CstGrpNum){   
    case   0:  
      GetCstDataTemp = CstGroup0[CstGrpCount];   
      break; 
    case   1:  
      GetCstDataTemp = CstGroup1[CstGrpCount];   
      break; 
    case   2:  
      GetCstDataTemp = CstGroup2[CstGrpCount];   
      break; 
    case   3:  
      GetCstDataTemp = CstGroup3[CstGrpCount];   
      break; 
    case   4:  
      GetCstDataTemp = CstGroup4[CstGrpCount];   
      break; 
    case   5:  
      GetCstDataTemp = CstGroup5[CstGrpCount];   
      break; 
    case   6:  
      GetCstDataTemp = CstGroup6[CstGrpCount];   
      break; 
    case   7:  
      GetCstDataTemp = CstGroup7[CstGrpCount];   
      break; 
    case   8:  
      GetCstDataTemp = CstGroup8[CstGrpCount];   
      break; 
    case   9:  
      GetCstDataTemp = CstGroup9[CstGrpCount];   
      break; 
    case   10:  
      GetCstDataTemp = CstGroup10[CstGrpCount];   
      break; 
    case   11:  
      GetCstDataTemp = CstGroup11[CstGrpCount];   
      break; 
    case   12:  
      GetCstDataTemp = CstGroup12[CstGrpCount];   
      break; 
    case   13:  
      GetCstDataTemp = CstGroup13[CstGrpCount];   
      break; 
    case   14:  
      GetCstDataTemp = CstGroup14[CstGrpCount];   
      break; 
    case   15:  
      GetCstDataTemp = CstGroup15[CstGrpCount];   
      break; 
    case   16:  
      GetCstDataTemp = CstGroup16[CstGrpCount];   
      break; 
    case   17:  
      GetCstDataTemp = CstGroup17[CstGrpCount];   
      break; 
    case   18:  
      GetCstDataTemp = CstGroup18[CstGrpCount];   
      break; 
    case   19:  
      GetCstDataTemp = CstGroup19[CstGrpCount];   
      break; 
    case   20:  
      GetCstDataTemp = CstGroup20[CstGrpCount];   
      break; 
    case   21:  
      GetCstDataTemp = CstGroup21[CstGrpCount];   
      break; 
    case   22:  
      GetCstDataTemp = CstGroup22[CstGrpCount];   
      break; 
    case   23:  
      GetCstDataTemp = CstGroup23[CstGrpCount];   
      break; 
    case   24:  
      GetCstDataTemp = CstGroup24[CstGrpCount];   
      break; 
    case   25:  
      GetCstDataTemp = CstGroup25[CstGrpCount];   
      break; 
    case   26:  
      GetCstDataTemp = CstGroup26[CstGrpCount];   
      break; 
    case   27:  
      GetCstDataTemp = CstGroup27[CstGrpCount];   
      break; 
    case   28:  
      GetCstDataTemp = CstGroup28[CstGrpCount];   
      break; 
    case   29:  
      GetCstDataTemp = CstGroup29[CstGrpCount];   
      break; 
    case   30:  
      GetCstDataTemp = CstGroup30[CstGrpCount];   
      break; 
    case   31:  
      GetCstDataTemp = CstGroup31[CstGrpCount];   
      break; 
    case   32:  
      GetCstDataTemp = CstGroup32[CstGrpCount];   
      break; 
    case   33:  
      GetCstDataTemp = CstGroup33[CstGrpCount];   
      break; 
    case   34:  
      GetCstDataTemp = CstGroup34[CstGrpCount];   
      break; 
    case   35:  
      GetCstDataTemp = CstGroup35[CstGrpCount];   
      break; 
    case   36:  
      GetCstDataTemp = CstGroup36[CstGrpCount];   
      break; 
    case   37:  
      GetCstDataTemp = CstGroup37[CstGrpCount];   
      break; 
    case   38:  
      GetCstDataTemp = CstGroup38[CstGrpCount];   
      break; 
    case   39:  
      GetCstDataTemp = CstGroup39[CstGrpCount];   
      break; 
    case   40:  
      GetCstDataTemp = CstGroup40[CstGrpCount];   
      break; 
    case   41:  
      GetCstDataTemp = CstGroup41[CstGrpCount];   
      break; 
    case   42:  
      GetCstDataTemp = CstGroup42[CstGrpCount];   
      break; 
    case   43:  
      GetCstDataTemp = CstGroup43[CstGrpCount];   
      break; 
    case   44:  
      GetCstDataTemp = CstGroup44[CstGrpCount];   
      break; 
    case   45:  
      GetCstDataTemp = CstGroup45[CstGrpCount];   
      break; 
    case   46:  
      GetCstDataTemp = CstGroup46[CstGrpCount];   
      break; 
    case   47:  
      GetCstDataTemp = CstGroup47[CstGrpCount];   
      break; 
    case   48:  
      GetCstDataTemp = CstGroup48[CstGrpCount];   
      break; 
    case   49:  
      GetCstDataTemp = CstGroup49[CstGrpCount];   
      break; 
    case   50:  
      GetCstDataTemp = CstGroup50[CstGrpCount];   
      break; 
    case   51:  
      GetCstDataTemp = CstGroup51[CstGrpCount];   
      break; 
    case   52:  
      GetCstDataTemp = CstGroup52[CstGrpCount];   
      break; 
    default:  
      GetCstDataTemp = 0xFFFF;
     break; }   
  return(GetCstDataTemp);       
 }            
       
int GetClusterDataGroup(int CstGrpNum, int CstGrpCount){ 
  unsigned int data GetCstDataTemp;    
   switch(CstGrpNum){      
    case   0: 
      GetCstDataTemp = Cst_GroupGroup0[CstGrpCount];  
      break;                      
    case   1: 
      GetCstDataTemp = Cst_GroupGroup1[CstGrpCount];  
      break;                      
    case   2: 
      GetCstDataTemp = Cst_GroupGroup2[CstGrpCount];  
      break;                      
    default:  
      GetCstDataTemp = 0xFFFF;  
      break; }  
  return(GetCstDataTemp);           
 }                    
int GetColorData(int CstGrpNum, int CstGrpCount){  
  unsigned int data GetCstDataTemp;  
  switch(CstGrpNum){  
    case   0: 
      GetCstDataTemp = Color_Group0[CstGrpCount];   
      break;                      
    case   1: 
      GetCstDataTemp = Color_Group1[CstGrpCount];   
      break;                      
    case   2: 
      GetCstDataTemp = Color_Group2[CstGrpCount];   
      break;                      
    case   3: 
      GetCstDataTemp = Color_Group3[CstGrpCount];   
      break;                      
    default:
      GetCstDataTemp = 0xFFFF;   
      break; }  
  return(GetCstDataTemp);            
}                  

int GetShowPattern(int SPpoint){    return(ShowPattern[SPpoint]);            }    

int GetCPort1(int i){       return(CPort1[i]);             }               
 
int GetCPort2(int i){       return(CPort2[i]);             }               
 
int GetCPort3(int i){       return(CPort3[i]);             }               
 
int GetCPort4(int i){       return(CPort4[i]);             }               
 
int GetCPort5(int i){       return(CPort5[i]);             }               
 
int GetCPort6(int i){       return(CPort6[i]);             }               
 
int GetCPort7(int i){       return(CPort7[i]);             }               
 
int GetCPort8(int i){       return(CPort8[i]);             }               
 
int GetCPort9(int i){       return(CPort9[i]);             }               
 
int GetCPort10(int i){       return(CPort10[i]);             }               
 
int GetCPort11(int i){       return(CPort11[i]);             }               
 
int GetCPort12(int i){       return(CPort12[i]);             }               
 
#include <DatTyp2.h>
#define TOTLMPCNT	 184
#define PTNCNT1		 3
#define PTNCNT2		 3
#define PTNCNT3		 3
#define PTNCNT4		 0
#define PTNCNT5		 0
#define PTNCNT6		 0
#define PTNCNT7		 0
#define PTNCNT8		 0
#define PTNCNT9		 0
#define PTNCNT10		 0
#define PTNCNT11		 0
#define PTNCNT12		 0
#define PTNCNT13		 0
#define PTNCNT14		 0
#define PTNCNT15		 0
#define PTNCNT16		 0
#define PTNCNT17		 0
#define PTNCNT18		 0
#define PTNCNT19		 0
#define PTNCNT20		 0
#define PTNCNT21		 0
#define PTNCNT22		 0
#define PTNCNT23		 0
#define PTNCNT24		 0
#define PTNCNT25		 0
#define PTNCNT26		 0
#define PTNCNT27		 0
#define PTNCNT28		 0
#define PTNCNT29		 0
#define PTNCNT30		 0
#define PTNCNT31		 0
#define PTNCNT32		 0
code unsigned int Port0[5]={0,41,60,0,1};
code unsigned int Port1[5]={0,40,27,101,2};
code unsigned int Port2[5]={0,16,0,168,2};
code unsigned int Port3[5]={0,0,0,184,3};
code unsigned int Port4[5]={0,0,0,184,3};
code unsigned int Port5[5]={0,0,0,184,3};
code unsigned int CST1[]={
0,
1};
code unsigned int CST2[]={
2,
3};
code unsigned int CST3[]={
4,
5};
code unsigned int CST4[]={
6,
7,
8,
9,
10,
11,
12,
13,
14,
15,
16,
17,
18,
19,
20,
21,
22,
23,
24,
25};
code unsigned int CST5[]={
26,
27,
28,
29,
30,
31,
32,
33,
34,
35};
code unsigned int CST6[]={
36,
37,
38,
39,
40,
41,
42,
43,
44,
45,
46,
47,
48,
49,
50,
51};
code unsigned int CST7[]={
52,
53};
code unsigned int CST8[]={
54,
55};
code unsigned int CST9[]={
56,
57,
58,
59,
60,
61,
62,
63,
64,
65,
66,
67,
68,
69,
70,
71};
code unsigned int CST10[]={
72,
73,
74,
75,
76,
77,
78,
79,
80,
81,
82,
83,
84,
85,
86,
87,
88};
code unsigned int CST11[]={
89,
90,
91,
92,
93,
94,
95,
96,
97,
98,
99,
100};
code unsigned int CST12[]={
101,
102,
103,
104,
105,
106,
107,
108,
109,
110,
111,
112,
113,
114,
115,
116,
117,
118,
119,
120,
121,
122,
123,
124,
125,
126};
code unsigned int CST13[]={
127,
128};
code unsigned int CST14[]={
129,
130};
code unsigned int CST15[]={
131,
132};
code unsigned int CST16[]={
133,
134,
135,
136,
137,
138,
139,
140,
141,
142,
143,
144,
145,
146,
147,
148,
149,
150,
151,
152};
code unsigned int CST17[]={
153,
154,
155,
156,
157,
158,
159,
160,
161,
162};
code unsigned int CST18[]={
163,
164,
165,
166,
167,
168,
169,
170,
171,
172,
173,
174,
175,
176,
177,
178};
code unsigned int CST19[]={
179,
180};
code unsigned int CST20[]={
181,
182};
code unsigned int CST21[]={
183};
code unsigned int CST22[]={
0,
1,
2,
3,
4,
5,
6,
21,
26,
31,
36,
51,
52,
53,
54,
55,
56,
57,
58,
59,
60,
72,
73,
74,
83,
84,
85,
89,
90,
91,
95,
96,
97,
101,
102,
103,
112,
113,
114,
115,
127,
128,
129,
130,
131,
132,
133,
148,
153,
158,
163,
178,
179,
180,
181,
182,
183};
code unsigned int CST23[]={
7,
22,
27,
32,
37,
75,
86,
92,
98,
104,
134,
149,
154,
159,
164};
code unsigned int CST24[]={
8,
38,
76,
105,
135,
165};
code unsigned int CST25[]={
9,
39,
77,
106,
136,
166};
code unsigned int CST26[]={
10,
40,
78,
107,
137,
167};
code unsigned int CST27[]={
11,
41,
79,
108,
138,
168};
code unsigned int CST28[]={
12,
42,
80,
109,
139,
169};
code unsigned int CST29[]={
13,
23,
28,
33,
43,
81,
87,
93,
99,
110,
140,
150,
155,
160,
170};
code unsigned int CST30[]={
61,
82,
88,
94,
100,
111,
116};
code unsigned int CST31[]={
14,
24,
29,
34,
44,
62,
117,
141,
151,
156,
161,
171};
code unsigned int CST32[]={
15,
45,
63,
118,
142,
172};
code unsigned int CST33[]={
16,
46,
64,
119,
143,
173};
code unsigned int CST34[]={
17,
47,
65,
120,
144,
174};
code unsigned int CST35[]={
18,
48,
66,
121,
145,
175};
code unsigned int CST36[]={
19,
49,
67,
122,
146,
176};
code unsigned int CST37[]={
20,
25,
30,
35,
50,
68,
123,
147,
152,
157,
162,
177};
code unsigned int CST38[]={
69,
124};
code unsigned int CST39[]={
70,
125};
code unsigned int CST40[]={
71,
126};
code unsigned int CST41[]={
61,
62,
63,
64,
65,
66,
67,
68,
69,
70,
71,
82,
88,
94,
100,
111,
117,
118,
119,
120,
121,
122,
123,
124,
125,
126,
116};
code unsigned int CST42[]={
0,
1,
2,
3,
4,
5,
6,
7,
8,
9,
10,
11,
12,
13,
14,
15,
16,
17,
18,
19,
20,
21,
22,
23,
24,
25,
26,
27,
28,
29,
30,
31,
32,
33,
34,
35,
36,
37,
38,
39,
40,
41,
42,
43,
44,
45,
46,
47,
48,
49,
50,
51,
52,
53,
54,
55,
56,
57,
58,
59,
60,
61,
62,
63,
64,
65,
66,
67,
68,
69,
70,
71,
72,
73,
74,
75,
76,
77,
78,
79,
80,
81,
82,
83,
84,
85,
86,
87,
88,
89,
90,
91,
92,
93,
94,
95,
96,
97,
98,
99,
100,
101,
102,
103,
104,
105,
106,
107,
108,
109,
110,
111,
112,
113,
114,
115,
116,
117,
118,
119,
120,
121,
122,
123,
124,
125,
126,
127,
128,
129,
130,
131,
132,
133,
134,
135,
136,
137,
138,
139,
140,
141,
142,
143,
144,
145,
146,
147,
148,
149,
150,
151,
152,
153,
154,
155,
156,
157,
158,
159,
160,
161,
162,
163,
164,
165,
166,
167,
168,
169,
170,
171,
172,
173,
174,
175,
176,
177,
178,
179,
180,
181,
182,
183};
code unsigned int CST43[]={
79,
93,
108,
77,
78,
80,
81,
87,
99,
106,
107,
109,
110};
code unsigned int CST44[]={
76,
92,
94,
105,
61,
75,
82,
86,
88,
98,
100,
104,
111,
116};
code unsigned int CST45[]={
62,
117,
63,
118};
code unsigned int CST46[]={
64,
119,
65,
91,
120};
code unsigned int CST47[]={
41,
66,
85,
97,
121,
138,
37,
38,
39,
40,
42,
43,
67,
74,
103,
122,
134,
135,
136,
137,
139,
140};
code unsigned int CST48[]={
32,
33,
44,
45,
60,
68,
115,
123,
141,
142,
149,
150,
27,
28,
29,
34,
46,
47,
59,
69,
114,
124,
143,
144,
151,
154,
155,
156};
code unsigned int CST49[]={
11,
22,
23,
24,
48,
58,
70,
113,
125,
145,
159,
160,
161,
168,
7,
8,
9,
10,
12,
13,
14,
49,
50,
71,
73,
90,
102,
126,
146,
147,
164,
165,
166,
167,
169,
170,
171};
code unsigned int CST50[]={
15,
16,
35,
36,
51,
53,
55,
84,
96,
128,
130,
132,
133,
152,
172,
173,
17,
18,
26,
30,
31,
52,
54,
56,
57,
112,
127,
129,
131,
148,
153,
157,
174,
175};
code unsigned int CST51[]={
6,
19,
20,
21,
25,
72,
83,
89,
95,
101,
158,
162,
163,
176,
177,
4,
5,
178,
179};
code unsigned int CST52[]={
2,
3,
180,
181,
1,
182};
code unsigned int CST53[]={
0,
183};
code CSTG CSTG1[]={
{2,CST1},
{2,CST2},
{2,CST3},
{20,CST4},
{10,CST5},
{16,CST6},
{2,CST7},
{2,CST8},
{16,CST9},
{17,CST10},
{12,CST11},
{26,CST12},
{2,CST13},
{2,CST14},
{2,CST15},
{20,CST16},
{10,CST17},
{16,CST18},
{2,CST19},
{2,CST20},
{1,CST21}};
code CSTG CSTG2[]={
{15,CST23},
{6,CST24},
{6,CST25},
{6,CST26},
{6,CST27},
{6,CST28},
{15,CST29},
{7,CST30},
{12,CST31},
{6,CST32},
{6,CST33},
{6,CST34},
{6,CST35},
{6,CST36},
{12,CST37},
{2,CST38},
{2,CST39},
{2,CST40}};
code CSTG CSTG3[]={
{13,CST43},
{14,CST44},
{4,CST45},
{5,CST46},
{22,CST47},
{28,CST48},
{37,CST49},
{34,CST50},
{19,CST51},
{6,CST52},
{2,CST53}};
code RGB CLRGRP1[]={
{255,0,0},
{255,128,0},
{255,255,0},
{0,255,0},
{0,128,255},
{160,0,255}};
code RGB CLRGRP2[]={
{255,255,255},
{255,170,40},
{90,40,0},
{0,0,0},
{0,0,0},
{0,0,0}};
code RGB CLRGRP3[]={
{255,220,120},
{255,140,20}};
code RGB CLRGRP4[]={
{255,0,160},
{255,255,255}};
code RGB CLRGRP5[]={
{0,0,0}};
code RGB CLRGRP6[]={
{0,0,0}};
code RGB CLRGRP7[]={
{0,0,0}};
code RGB CLRGRP8[]={
{0,0,0}};
code RGB CLRGRP9[]={
{0,0,0}};
code RGB CLRGRP10[]={
{0,0,0}};
code RGB CLRGRP11[]={
{0,0,0}};
code RGB CLRGRP12[]={
{0,0,0}};
code RGB CLRGRP13[]={
{0,0,0}};
code RGB CLRGRP14[]={
{0,0,0}};
code RGB CLRGRP15[]={
{0,0,0}};
code RGB CLRGRP16[]={
{0,0,0}};
code RGB CLRGRP17[]={
{0,0,0}};
code RGB CLRGRP18[]={
{0,0,0}};
code RGB CLRGRP19[]={
{0,0,0}};
code RGB CLRGRP20[]={
{0,0,0}};
code RGB CLRGRP21[]={
{0,0,0}};
code RGB CLRGRP22[]={
{0,0,0}};
code RGB CLRGRP23[]={
{0,0,0}};
code RGB CLRGRP24[]={
{0,0,0}};
code RGB CLRGRP25[]={
{0,0,0}};
code RGB CLRGRP26[]={
{0,0,0}};
code RGB CLRGRP27[]={
{0,0,0}};
code RGB CLRGRP28[]={
{0,0,0}};
code RGB CLRGRP29[]={
{0,0,0}};
code RGB CLRGRP30[]={
{0,0,0}};
code RGB CLRGRP31[]={
{0,0,0}};
code RGB CLRGRP32[]={
{0,0,0}};
code RGB CLRGRP33[]={
{0,0,0}};
code RGB CLRGRP34[]={
{0,0,0}};
code RGB CLRGRP35[]={
{0,0,0}};
code RGB CLRGRP36[]={
{0,0,0}};
code RGB CLRGRP37[]={
{0,0,0}};
code RGB CLRGRP38[]={
{0,0,0}};
code RGB CLRGRP39[]={
{0,0,0}};
code RGB CLRGRP40[]={
{0,0,0}};
code RGB CLRGRP41[]={
{0,0,0}};
code RGB CLRGRP42[]={
{0,0,0}};
code RGB CLRGRP43[]={
{0,0,0}};
code RGB CLRGRP44[]={
{0,0,0}};
code RGB CLRGRP45[]={
{0,0,0}};
code RGB CLRGRP46[]={
{0,0,0}};
code RGB CLRGRP47[]={
{0,0,0}};
code RGB CLRGRP48[]={
{0,0,0}};
code RGB CLRGRP49[]={
{0,0,0}};
code RGB CLRGRP50[]={
{0,0,0}};
code RGB CLRGRP51[]={
{0,0,0}};
code RGB CLRGRP52[]={
{0,0,0}};
code RGB CLRGRP53[]={
{0,0,0}};
code RGB CLRGRP54[]={
{0,0,0}};
code RGB CLRGRP55[]={
{0,0,0}};
code RGB CLRGRP56[]={
{0,0,0}};
code RGB CLRGRP57[]={
{0,0,0}};
code RGB CLRGRP58[]={
{0,0,0}};
code RGB CLRGRP59[]={
{0,0,0}};
code RGB CLRGRP60[]={
{0,0,0}};
code RGB CLRGRP61[]={
{0,0,0}};
code RGB CLRGRP62[]={
{0,0,0}};
code RGB CLRGRP63[]={
{0,0,0}};
code RGB CLRGRP64[]={
{0,0,0}};
code RGB CLRGRP65[]={
{0,0,0}};
code RGB CLRGRP66[]={
{0,0,0}};
code RGB CLRGRP67[]={
{0,0,0}};
code RGB CLRGRP68[]={
{0,0,0}};
code RGB CLRGRP69[]={
{0,0,0}};
code RGB CLRGRP70[]={
{0,0,0}};
code RGB CLRGRP71[]={
{0,0,0}};
code RGB CLRGRP72[]={
{0,0,0}};
code RGB CLRGRP73[]={
{0,0,0}};
code RGB CLRGRP74[]={
{0,0,0}};
code RGB CLRGRP75[]={
{0,0,0}};
code RGB CLRGRP76[]={
{0,0,0}};
code RGB CLRGRP77[]={
{0,0,0}};
code RGB CLRGRP78[]={
{0,0,0}};
code RGB CLRGRP79[]={
{0,0,0}};
code RGB CLRGRP80[]={
{0,0,0}};
code RGB CLRGRP81[]={
{0,0,0}};
code RGB CLRGRP82[]={
{0,0,0}};
code RGB CLRGRP83[]={
{0,0,0}};
code RGB CLRGRP84[]={
{0,0,0}};
code RGB CLRGRP85[]={
{0,0,0}};
code RGB CLRGRP86[]={
{0,0,0}};
code RGB CLRGRP87[]={
{0,0,0}};
code RGB CLRGRP88[]={
{0,0,0}};
code RGB CLRGRP89[]={
{0,0,0}};
code RGB CLRGRP90[]={
{0,0,0}};
code RGB CLRGRP91[]={
{0,0,0}};
code RGB CLRGRP92[]={
{0,0,0}};
code RGB CLRGRP93[]={
{0,0,0}};
code RGB CLRGRP94[]={
{0,0,0}};
code RGB CLRGRP95[]={
{0,0,0}};
code RGB CLRGRP96[]={
{0,0,0}};
code RGB CLRGRP97[]={
{0,0,0}};
code RGB CLRGRP98[]={
{0,0,0}};
code RGB CLRGRP99[]={
{0,0,0}};
code RGB CLRGRP100[]={
{0,0,0}};
code RGB CLRGRP101[]={
{0,0,0}};
code RGB CLRGRP102[]={
{255,220,120},
{767,652,532}};
code PTN ShowPtn1[3]={
{0,10,60,1,21,CSTG1,6,CLRGRP1,{0,0,0},0,0,0},
{5,5,120,1,0,0,6,CLRGRP2,{0,0,0},0,57,CST22},
{4,10,30,0,18,CSTG2,2,CLRGRP3,{0,0,0},0,0,0}};
code PTN ShowPtn2[3]={
{9,8,20,1,0,0,2,CLRGRP4,{0,0,0},0,27,CST41},
{3,5,2,0,0,0,2,CLRGRP102,{0,0,0},0,184,CST42},
{0,8,40,1,11,CSTG3,6,CLRGRP1,{0,0,0},0,0,0}};
code PTN ShowPtn3[3]={
{5,5,120,1,0,0,6,CLRGRP2,{0,0,0},0,57,CST22},
{9,8,20,1,0,0,2,CLRGRP4,{0,0,0},0,27,CST41},
{0,8,40,1,11,CSTG3,6,CLRGRP1,{0,0,0},0,0,0}};
code PTN ShowPtn4[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn5[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn6[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn7[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn8[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn9[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn10[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn11[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn12[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn13[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn14[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn15[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn16[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn17[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn18[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn19[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn20[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn21[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn22[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn23[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn24[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn25[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn26[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn27[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn28[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn29[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn30[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn31[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
code PTN ShowPtn32[1]={{99, 0, 0,0,0,0,0,0,{0,0,0},0,0,0}};
